#pragma once
// The "LDF File" tab (the document as the writer renders it, or a file that failed to load
// as it was read) and the "About" tab.

#include <QWidget>

class QPlainTextEdit;

class LdfFileTab : public QWidget {
    Q_OBJECT
public:
    explicit LdfFileTab(QWidget* parent = nullptr);
    void ShowText(const QString& text);

private:
    QPlainTextEdit* txtLDF_ = nullptr;
};

class AboutTab : public QWidget {
    Q_OBJECT
public:
    explicit AboutTab(QWidget* parent = nullptr);
};
