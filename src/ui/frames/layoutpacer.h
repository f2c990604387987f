#pragma once
#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QSizeF>
#include <QTimer>

class QAbstractTextDocumentLayout;
class QTextDocument;
class QTextEdit;

namespace qm {

// Lays out the document a QTextEdit shows in short steps on its thread. Qt's own lazy layout runs
// in steps that double up to 200,000 characters, tens of milliseconds each on a long page, during
// which no key is answered; the pacer takes over from it (it holds back the layout's own timer
// while it runs) and stops after a few milliseconds each time. A place to keep is scrolled to as
// soon as the layout reaches it, unless the user has scrolled meanwhile.
class CLayoutPacer : public QObject {
    Q_OBJECT
public:
    explicit CLayoutPacer(QObject* parent = nullptr);

    void Start(QTextEdit* view, QPoint place);
    // Keeps the place `below` pixels under the line of a text position instead, once laid out.
    void StartAt(QTextEdit* view, int position, int below);
    // Where the line of a position lies in a laid-out document (laying it out down to there).
    static int TopOf(const QTextDocument* doc, int position);
    void Stop();
    bool IsRunning() const { return m_steps.isActive() || m_inStep; }

signals:
    // The whole page is laid out.
    void LaidOut();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Begin(QTextEdit* view, QPoint place, int placeAt, int below);
    void Step();
    void KeepPlace(bool laidOut);

    QPointer<QTextEdit> m_view;
    QPointer<QTextDocument> m_doc;
    QPointer<QAbstractTextDocumentLayout> m_layout;
    QSizeF m_pageSize;
    int m_position = 0;  // laid out up to here
    bool m_placePending = false;
    QPoint m_place;
    int m_placeAt = -1;  // a text position whose line gives the place's height, once laid out
    int m_placeBelow = 0;
    QPoint m_shownPlace;  // where the view was left: another place means the user scrolled
    QTimer m_steps;
    bool m_inStep = false;  // a step is running: its scrolling is the pacer's, not the user's
};

}  // namespace qm
