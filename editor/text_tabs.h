#pragma once
// The "LDF File" tab (the document as the writer renders it, or a file that failed to load
// as it was read) and the "About" tab.

#include <QWidget>
#include <optional>

class QPlainTextEdit;
class QShowEvent;

class LdfFileTab : public QWidget {
    Q_OBJECT
public:
    explicit LdfFileTab(QWidget* parent = nullptr);
    void ShowText(const QString& text);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void ShowPendingText();
    void ScheduleLaterPart();

    QPlainTextEdit* txtLDF_ = nullptr;
    std::optional<QString> pending_;  // the text to show once the tab is shown
    QString shown_;                   // the text being shown, while parts are still due
    qsizetype appended_ = 0;          // how much of it the view holds
    int generation_ = 0;              // counts the texts shown
};

class AboutTab : public QWidget {
    Q_OBJECT
public:
    explicit AboutTab(QWidget* parent = nullptr);
};
