#include "browse/ui/filter/FilterDlg.h"

#include "browse/Filter.h"
#include "browse/FilterFeld.h"
#include "browse/ui/filter/SortCombo.h"
#include "controls/ui/Banner.h"
#include "controls/ui/FieldLabel.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

QPushButton *actionButton(const QString &text, const char *name, QWidget *parent)
{
    auto *button = new QPushButton(text, parent);
    button->setObjectName(QLatin1String(name));
    button->setAutoDefault(false);
    return button;
}

} // namespace

CKivFilterDlg::CKivFilterDlg(CKivFilter &filter, QWidget *parent)
    : QDialog(parent)
    , m_filter(filter)
    , m_list(new QTableWidget(0, 4, this))
    , m_field(new QComboBox(this))
    , m_condition(new QComboBox(this))
    , m_value(new QLineEdit(this))
{
    setWindowTitle(QStringLiteral("Mp3-Filter"));
    auto *band = new CKivBanner(QStringLiteral("Kiv Mp3-Filter"),
                                    QStringLiteral("Hier können Sie den aktuellen Mp3-Filter bearbeiten."),
                                    style()->standardIcon(QStyle::SP_FileDialogContentsView), this);

    m_list->setObjectName(QStringLiteral("filterList"));
    m_list->setHorizontalHeaderLabels({QStringLiteral("Beziehung:"), QStringLiteral("Feld"), QStringLiteral("Option"),
                                       QStringLiteral("Value")});
    const int widths[] = {125, 100, 60, 330};
    for (int column = 0; column < 4; ++column)
        m_list->setColumnWidth(column, widths[column]);
    m_list->verticalHeader()->hide();
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setShowGrid(true);
    m_list->setIconSize(QSize(16, 16));
    m_list->setMinimumSize(640, 180);

    m_field->setObjectName(QStringLiteral("field"));
    m_condition->setObjectName(QStringLiteral("condition"));
    // Sorted like the original list box: "<", "<>", "=", ">", "LIKE".
    for (int condition : {CKivFilterFeld::Less, CKivFilterFeld::NotEqual, CKivFilterFeld::Equal,
                          CKivFilterFeld::Greater, CKivFilterFeld::Like})
        m_condition->addItem(CKivFilterFeld::ConditionText(condition), condition);
    m_value->setObjectName(QStringLiteral("value"));

    auto *apply = actionButton(QStringLiteral("Übernehmen"), "apply", this);
    auto *remove = actionButton(QStringLiteral("Löschen"), "remove", this);
    auto *input = actionButton(QStringLiteral("Eingabe Feld"), "input", this);

    auto *edit = new QGridLayout;
    edit->addWidget(new QLabel(QStringLiteral("Beziehung:"), this), 0, 0);
    edit->addWidget(KivFieldLabel(QStringLiteral("Feld:"), m_field, this), 0, 1);
    edit->addWidget(KivFieldLabel(QStringLiteral("Bedingung:"), m_condition, this), 0, 2);
    edit->addWidget(KivFieldLabel(QStringLiteral("Wert:"), m_value, this), 0, 3);
    edit->addWidget(new QLabel(QStringLiteral("AND"), this), 1, 0);
    edit->addWidget(m_field, 1, 1);
    edit->addWidget(m_condition, 1, 2);
    edit->addWidget(m_value, 1, 3);
    edit->setColumnStretch(3, 1);

    auto *actions = new QHBoxLayout;
    actions->addWidget(apply);
    actions->addWidget(remove);
    actions->addWidget(input);
    actions->addStretch(1);

    auto *buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole)->setObjectName(QStringLiteral("ok"));
    buttons->addButton(QStringLiteral("Abbrechen"), QDialogButtonBox::RejectRole)
        ->setObjectName(QStringLiteral("cancel"));

    auto *content = new QVBoxLayout;
    content->setContentsMargins(11, 11, 11, 11);
    content->addWidget(KivFieldLabel(QStringLiteral("Aktuelle Filter:"), m_list, this));
    content->addWidget(m_list, 1);
    content->addLayout(edit);
    content->addLayout(actions);
    content->addWidget(buttons);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(band);
    layout->addLayout(content, 1);

    connect(m_field, &QComboBox::activated, this, &CKivFilterDlg::fieldChosen);
    connect(m_list, &QTableWidget::cellClicked, this, [this](int row, int) { rowClicked(row); });
    connect(apply, &QPushButton::clicked, this, &CKivFilterDlg::applyField);
    connect(remove, &QPushButton::clicked, this, &CKivFilterDlg::removeField);
    connect(input, &QPushButton::clicked, this, &CKivFilterDlg::makeInputField);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    refresh();
    m_field->setCurrentIndex(-1);
}

bool CKivFilterDlg::Run(CKivFilter &filter, QWidget *parent)
{
    CKivFilterDlg dialog(filter, parent);
    const bool ok = dialog.exec() == QDialog::Accepted;
    CKivSortCombo::SyncAll(filter);
    return ok;
}

bool CKivFilterDlg::RunFor(IKivMp3Filter &filter, QWidget *parent)
{
    auto *own = dynamic_cast<CKivFilter *>(&filter);
    return own && Run(*own, parent);
}

void CKivFilterDlg::refresh()
{
    const QIcon inputIcon = style()->standardIcon(QStyle::SP_ArrowRight);
    const QIcon fieldIcon = style()->standardIcon(QStyle::SP_FileIcon);
    const QList<CKivFilterFeld *> &active = m_filter.ActiveFields();
    m_list->setRowCount(int(active.size()));
    for (int row = 0; row < active.size(); ++row) {
        const CKivFilterFeld *field = active.at(row);
        auto *relation = new QTableWidgetItem(field == m_filter.GetInputField() ? inputIcon : fieldIcon,
                                              QStringLiteral("AND"));
        m_list->setItem(row, 0, relation);
        m_list->setItem(row, 1, new QTableWidgetItem(field->ColumnName()));
        m_list->setItem(row, 2, new QTableWidgetItem(field->ConditionText()));
        m_list->setItem(row, 3, new QTableWidgetItem(field->ValueText()));
    }

    const QString chosen = m_field->currentText();
    QStringList names = m_filter.ColumnNames();
    names.sort(Qt::CaseInsensitive);
    m_field->clear();
    m_field->addItems(names);
    m_field->setCurrentIndex(m_field->findText(chosen));
}

CKivFilterFeld *CKivFilterDlg::chosenField() const
{
    return m_field->currentIndex() < 0 ? nullptr : m_filter.FindField(m_field->currentText());
}

CKivFilterFeld *CKivFilterDlg::selectedRowField() const
{
    const int row = m_list->currentRow();
    const QList<QTableWidgetItem *> selected = m_list->selectedItems();
    if (row < 0 || selected.isEmpty() || row >= m_filter.ActiveFields().size())
        return nullptr;
    return m_filter.ActiveFields().at(row);
}

void CKivFilterDlg::fieldChosen()
{
    const CKivFilterFeld *field = chosenField();
    if (!field)
        return;
    m_condition->setCurrentIndex(m_condition->findData(field->GetCondition()));
    const bool isInput = field == m_filter.GetInputField();
    m_value->setText(isInput ? InputPlaceholder() : field->GetValue());
    m_value->setEnabled(!isInput);
}

void CKivFilterDlg::rowClicked(int row)
{
    if (row < 0 || row >= m_filter.ActiveFields().size())
        return;
    m_field->setCurrentIndex(m_field->findText(m_filter.ActiveFields().at(row)->ColumnName()));
    fieldChosen();
}

void CKivFilterDlg::applyField()
{
    CKivFilterFeld *field = chosenField();
    if (!field)
        return;
    m_filter.ApplyFieldChecked(field, m_condition->currentData().toInt(), m_value->text());
    refresh();
}

void CKivFilterDlg::removeField()
{
    CKivFilterFeld *field = selectedRowField();
    if (!field)
        return;
    m_filter.RemoveField(field);
    refresh();
}

void CKivFilterDlg::makeInputField()
{
    const CKivFilterFeld *field = selectedRowField();
    if (!field)
        return;
    m_filter.ActivateAsInput(field->GetIndex());
    refresh();
    fieldChosen();
}
