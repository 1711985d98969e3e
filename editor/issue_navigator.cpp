#include "issue_navigator.h"

#include <QFrame>
#include <QRegularExpression>
#include <QTabBar>

#include "encodings_tab.h"
#include "frames_tab.h"
#include "general_tab.h"
#include "nodes_tab.h"
#include "schedule_tables_tab.h"
#include "signals_tab.h"
#include "tabrel_window.h"

void IssueNavigator::Navigate(const QString& section) {
    const QStringList parts = section.split('-');
    const QString& tab = parts.first();
    const QString& last = parts.last();
    const QString object = parts.value(1);
    if (tab == "General") {
        tabs_.bar->setCurrentIndex(TfrmTabrel::kGeneral);
        if (parts.size() == 2) HighlightField(*tabs_.general, last);
    } else if (tab == "Nodes") {
        tabs_.bar->setCurrentIndex(TfrmTabrel::kNodes);
        if (parts.size() == 3) tabs_.nodes->SelectSlaveByName(object);
        if (parts.size() == 2 || parts.size() == 3) HighlightField(*tabs_.nodes, last);
    } else if (tab == "Signals") {
        tabs_.bar->setCurrentIndex(TfrmTabrel::kSignals);
        if (parts.size() == 3) {
            tabs_.signals->SelectSignalByName(object);
            HighlightField(*tabs_.signals, last);
        }
    } else if (tab == "Frames") {
        tabs_.bar->setCurrentIndex(TfrmTabrel::kFrames);
        if (parts.size() == 3) {
            tabs_.frames->SelectFrameByName(object);
            HighlightField(*tabs_.frames, last);
        }
    } else if (tab == "ScheduleTables" || tab == "Schedule Tables") {
        tabs_.bar->setCurrentIndex(TfrmTabrel::kScheduleTables);
        if (parts.size() == 3) NavigateToScheduleTable(object, last);
    } else if (tab == "Encodings") {
        tabs_.bar->setCurrentIndex(TfrmTabrel::kEncodings);
        if (parts.size() == 3) {
            tabs_.encodings->SelectEncodingByName(object);
            HighlightField(*tabs_.encodings, last);
        }
    }
}

void IssueNavigator::NavigateToScheduleTable(const QString& table, const QString& field) {
    tabs_.scheduleTables->SelectTableByName(table);
    if (!field.startsWith("Entry")) {
        HighlightField(*tabs_.scheduleTables, field);
        return;
    }
    tabs_.scheduleTables->SelectEntry(field.mid(5).toInt() - 1);
    HighlightField(*tabs_.scheduleTables, "Entries");
}

void IssueNavigator::Highlight(QFrame* frame, QWidget* control) {
    const QPoint at = control->mapTo(frame->parentWidget(), QPoint(0, 0));
    frame->setGeometry(at.x() - 2, at.y() - 2, control->width() + 4, control->height() + 4);
    checksSinceHighlight_ = 0;
    frame->show();
    frame->lower();
}

void IssueNavigator::CheckRan(QWidget* window) {
    if (++checksSinceHighlight_ < 2) return;
    for (QFrame* frame : window->findChildren<QFrame*>(QRegularExpression("^shape"))) frame->hide();
}
