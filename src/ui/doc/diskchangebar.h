#pragma once
#include <QFrame>

class QLabel;
class QPushButton;
class QAbstractScrollArea;

namespace qm {

// The strip across the top of a document's window that says its file changed or went away on disk.
class CDiskChangeBar : public QFrame {
    Q_OBJECT
public:
    enum class Kind { Changed, Deleted };

    // The view's bar, made the first time it is asked for.
    static CDiskChangeBar* Of(QAbstractScrollArea* view);
    static CDiskChangeBar* Find(const QAbstractScrollArea* view);

    void ShowFor(Kind kind, const QString& fileName);
    void Dismiss();
    Kind CurrentKind() const { return m_kind; }
    QString Text() const;
    QPushButton* ReloadButton() const { return m_reload; }
    QPushButton* KeepMineButton() const { return m_keepMine; }
    QPushButton* DismissButton() const { return m_dismiss; }

signals:
    void ReloadClicked();
    void KeepMineClicked();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit CDiskChangeBar(QAbstractScrollArea* view);
    void Place();
    void SetStrip(int height);

    QAbstractScrollArea* m_view;
    Kind m_kind = Kind::Changed;
    QLabel* m_text;
    QPushButton *m_reload, *m_keepMine, *m_dismiss;
};

}  // namespace qm
