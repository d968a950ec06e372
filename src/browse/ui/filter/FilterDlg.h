#pragma once

#include <QDialog>

class CKivFilter;
class CKivFilterFeld;
class IKivMp3Filter;
class QComboBox;
class QLineEdit;
class QTableWidget;

// The filter dialog: the active conditions of the application's filter as a list, and below it one
// field, its comparison and its value to apply, remove or make the input field. It works on the
// filter directly: every action takes effect at once, and "OK" and "Abbrechen" only close it.
class CKivFilterDlg : public QDialog
{
    Q_OBJECT

public:
    CKivFilterDlg(CKivFilter &filter, QWidget *parent = nullptr);

    // Runs the dialog modally on filter; true when it was closed with "OK".
    static bool Run(CKivFilter &filter, QWidget *parent);
    // The same for the filter a query hands over (false when it is not the application's filter).
    static bool RunFor(IKivMp3Filter &filter, QWidget *parent);

    // The text the value shows for the input field, whose value comes from the search field.
    static QString InputPlaceholder() { return QStringLiteral("EINGABE"); }

private:
    void refresh();
    void fieldChosen();
    void rowClicked(int row);
    void applyField();
    void removeField();
    void makeInputField();
    CKivFilterFeld *chosenField() const;
    CKivFilterFeld *selectedRowField() const;

    CKivFilter &m_filter;
    QTableWidget *m_list;
    QComboBox *m_field;
    QComboBox *m_condition;
    QLineEdit *m_value;
};
