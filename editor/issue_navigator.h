#pragma once
// Leads from a row of "Current Setup Issues" to what it names: the tab, the object and the
// control. The control is framed red until two setup checks have run since.

#include <QString>

class EncodingsTab;
class FramesTab;
class GeneralTab;
class NodesTab;
class QFrame;
class QTabBar;
class QWidget;
class ScheduleTablesTab;
class SignalsTab;

class IssueNavigator {
public:
    struct Tabs {
        QTabBar* bar;
        GeneralTab* general;
        NodesTab* nodes;
        SignalsTab* signals;
        FramesTab* frames;
        ScheduleTablesTab* scheduleTables;
        EncodingsTab* encodings;
    };
    explicit IssueNavigator(const Tabs& tabs) : tabs_(tabs) {}

    // Shows what `section` ("Signals-Speed-SignalSize", "General-Speed") names.
    void Navigate(const QString& section);
    void Highlight(QFrame* frame, QWidget* control);
    // A setup check ran: the second one after a highlight hides the frames of `window`.
    void CheckRan(QWidget* window);

private:
    // Frames the control of `tab` that an issue's field name points at, if there is one.
    template <typename TabClass>
    void HighlightField(TabClass& tab, const QString& field) {
        if (QWidget* control = tab.ControlFor(field)) Highlight(tab.Highlight(), control);
    }
    // "Entry3" names the third entry of the table.
    void NavigateToScheduleTable(const QString& table, const QString& field);

    Tabs tabs_;
    int checksSinceHighlight_ = 0;
};
