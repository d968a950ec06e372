#pragma once

#include <QSplitter>

class CKivProfileStore;

// A splitter of two panes that keeps its pane sizes per user: under a profile section it stores
// "Panes_<n>" (n = 0 for an outer splitter, its parent's number + 1 for a nested one). Hiding a pane
// only hides its widget; the views in it stay as they are.
class CKivSplitterWnd : public QSplitter
{
    Q_OBJECT

public:
    CKivSplitterWnd(Qt::Orientation orientation, CKivProfileStore &store, CKivSplitterWnd *parentSplitter = nullptr,
                    QWidget *parent = nullptr);

    int number() const { return m_number; }
    QString profileSection() const { return m_section; }
    void setProfileSection(const QString &section) { m_section = section; }

    // Hides or shows pane 0 or 1.
    void setPaneHidden(int pane, bool hidden);
    bool isPaneHidden(int pane) const;
    // The sizes the last load asked for.
    int requestedSize(int pane) const { return pane == 0 ? m_size0 : m_size1; }

    // Reads "Panes_<n>" (default "-1 150 -1 150"), sets both pane sizes and hides the stored pane.
    void loadState();
    // Writes the current pane sizes, unless a pane has none.
    void saveState() const;

private:
    CKivProfileStore &m_store;
    QString m_section = QStringLiteral("SplitterWnd");
    int m_number;
    int m_size0 = 100;
    int m_size1 = 100;
    int m_hiddenColumn = -1;
    int m_hiddenRow = -1;
    QList<int> m_restoreSizes{100, 100};
};
