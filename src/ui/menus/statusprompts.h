#pragma once
#include <QObject>
#include <QString>

class QStatusBar;

namespace qm {

// What the message pane shows while nothing is highlighted.
inline constexpr const char* kReadyPrompt = "Ready";

// The status-bar prompt of a command the main frame builds, by command id; empty when it has none.
// Every prompt text of the standard menus and the toolbar is kept here. Commands added elsewhere
// just set QAction::setStatusTip: the watcher below shows any status tip.
QString CommandPrompt(int commandId);

// Keeps the message pane of a status bar honest for the whole program: shows the status tip of
// the menu item or toolbar button under the pointer, also for menus that pop up on their own
// (context menus), and puts "Ready" back when the pointer leaves or the last menu closes.
class StatusPromptWatcher : public QObject {
public:
    explicit StatusPromptWatcher(QStatusBar* bar);
    ~StatusPromptWatcher() override;

    // A status tip reached the main window: a prompt, or "Ready" when it is empty.
    void Show(const QString& tip);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QStatusBar* m_bar;
};

}  // namespace qm
