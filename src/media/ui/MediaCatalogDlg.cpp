#include "media/ui/MediaCatalogDlg.h"

#include "media/catalog/MediaHost.h"
#include "controls/ui/Banner.h"
#include "media/DriveType.h"
#include "media/MedienListe.h"
#include "media/Medium.h"
#include "media/MediumForm.h"
#include "media/catalog/MediaCatalog.h"
#include "media/ui/ArchiveExportDlg.h"
#include "media/ui/ArchiveImportDlg.h"
#include "media/ui/MediumDeleteDlg.h"
#include "media/ui/MediumDlg.h"
#include "controls/ui/FieldLabel.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStandardItemModel>
#include <QStyle>
#include <QTableView>
#include <QVBoxLayout>

namespace {

constexpr int MediumRole = Qt::UserRole + 1;

QIcon driveIcon(const QStyle *style, int icon)
{
    const bool offline = icon >= CKivMediaCatalog::OfflineIconShift;
    const int type = offline ? icon - CKivMediaCatalog::OfflineIconShift : icon;
    QStyle::StandardPixmap pixmap = QStyle::SP_DriveHDIcon;
    switch (type) {
    case KivDriveType::Removable:
        pixmap = QStyle::SP_DriveFDIcon;
        break;
    case KivDriveType::Remote:
        pixmap = QStyle::SP_DriveNetIcon;
        break;
    case KivDriveType::CdRom:
        pixmap = QStyle::SP_DriveCDIcon;
        break;
    case KivDriveType::Unknown:
    case KivDriveType::NoRootDir:
        pixmap = QStyle::SP_DirIcon;
        break;
    default:
        break;
    }
    const QIcon base = style->standardIcon(pixmap);
    // The offline variant is the same picture greyed out.
    return offline ? QIcon(base.pixmap(16, QIcon::Disabled)) : base;
}

QTableView *makeList(QStandardItemModel *model, QWidget *parent, const QString &name)
{
    auto *view = new QTableView(parent);
    view->setObjectName(name);
    view->setModel(model);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setShowGrid(true);
    view->verticalHeader()->hide();
    view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 6);
    view->setWordWrap(false);
    return view;
}

CKivMedium *mediumAt(const QModelIndex &index)
{
    return index.isValid() ? static_cast<CKivMedium *>(index.siblingAtColumn(0).data(MediumRole).value<void *>())
                           : nullptr;
}

} // namespace

CKivMediaCatalogDlg::CKivMediaCatalogDlg(IKivMediaHost &host, QWidget *parent)
    : QDialog(parent)
    , m_host(host)
    , m_userModel(new QStandardItemModel(0, 4, this))
    , m_catalogModel(new QStandardItemModel(0, 1, this))
{
    setWindowTitle(QStringLiteral("Melvora -  Medienkatalog"));
    auto *band = new CKivBanner(QStringLiteral("Medienkatalog"),
                                QStringLiteral("Der Medienkatalog bietet Ihnen die Möglichkeit neue Medien einzurichten, "
                                               "zu bearbeiten und zu löschen."),
                                style()->standardIcon(QStyle::SP_DriveHDIcon), this);
    m_userModel->setHorizontalHeaderLabels({QStringLiteral("Laufwerkstype:"), QStringLiteral("Mediumname"),
                                            QStringLiteral("Laufwerk"), QStringLiteral("Path")});
    m_catalogModel->setHorizontalHeaderLabels({QStringLiteral("Medien:")});
    m_userList = makeList(m_userModel, this, QStringLiteral("userMedia"));
    m_catalogList = makeList(m_catalogModel, this, QStringLiteral("catalogMedia"));
    const int widths[] = {125, 100, 60, 330};
    for (int column = 0; column < 4; ++column)
        m_userList->setColumnWidth(column, widths[column]);
    m_userList->setMinimumWidth(520);
    m_catalogList->horizontalHeader()->setStretchLastSection(true);
    m_catalogList->setMinimumWidth(180);
    createButtons();

    auto *middle = new QVBoxLayout;
    middle->addStretch();
    middle->addWidget(m_add);
    middle->addWidget(m_remove);
    middle->addStretch();
    auto *lists = new QGridLayout;
    lists->addWidget(KivFieldLabel(QStringLiteral("Alle Medien des Benutzers:"), m_userList, this), 0, 0);
    lists->addWidget(KivFieldLabel(QStringLiteral("Alle Medien in der Datenbank:"), m_catalogList, this), 0, 2);
    lists->addWidget(m_userList, 1, 0);
    lists->addLayout(middle, 1, 1);
    lists->addWidget(m_catalogList, 1, 2);
    lists->setColumnStretch(0, 3);
    lists->setColumnStretch(2, 1);
    auto *buttons = new QHBoxLayout;
    for (QWidget *widget : std::initializer_list<QWidget *>{m_create, m_edit, m_delete, m_export, m_import, m_showCds})
        buttons->addWidget(widget);
    buttons->addStretch();
    buttons->addWidget(m_close);
    auto *content = new QVBoxLayout;
    content->setContentsMargins(11, 11, 11, 11);
    content->addLayout(lists);
    content->addLayout(buttons);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(band);
    layout->addLayout(content);
    resize(900, 480);

    connect(m_userList->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &index) { select(mediumAt(index)); });
    connect(m_catalogList->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &index) { select(mediumAt(index)); });
    connect(m_userList, &QTableView::doubleClicked, this, [this](const QModelIndex &index) {
        CKivMedium *medium = mediumAt(index);
        if (medium && !medium->IsCd()) {
            select(medium);
            onEdit();
        }
    });
    Refill();
}

CKivMediaCatalogDlg::~CKivMediaCatalogDlg() = default;

void CKivMediaCatalogDlg::createButtons()
{
    const auto button = [this](const QString &text, const char *name, void (CKivMediaCatalogDlg::*slot)()) {
        auto *b = new QPushButton(text, this);
        b->setObjectName(QLatin1String(name));
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, slot);
        return b;
    };
    m_create = button(QStringLiteral("Erstellen"), "create", &CKivMediaCatalogDlg::onCreate);
    m_edit = button(QStringLiteral("Bearbeiten"), "edit", &CKivMediaCatalogDlg::onEdit);
    m_add = button(QStringLiteral("Hinzufügen ->"), "add", &CKivMediaCatalogDlg::onAssign);
    m_remove = button(QStringLiteral("<- Entfernem"), "remove", &CKivMediaCatalogDlg::onUnassign);
    m_delete = button(QStringLiteral("Löschen"), "delete", &CKivMediaCatalogDlg::onDelete);
    m_export = button(QStringLiteral("Exportieren"), "export", &CKivMediaCatalogDlg::onExport);
    m_import = button(QStringLiteral("Importieren"), "import", &CKivMediaCatalogDlg::onImport);
    m_close = button(QStringLiteral("Schließen"), "close", &CKivMediaCatalogDlg::accept);
    m_showCds = new QCheckBox(QStringLiteral("CD's Anzeigen"), this);
    m_showCds->setObjectName(QStringLiteral("showCds"));
    m_showCds->setChecked(true);
    connect(m_showCds, &QCheckBox::toggled, this, &CKivMediaCatalogDlg::Refill);
}

void CKivMediaCatalogDlg::Refill()
{
    // The document may have read its media anew: the catalog is made on the set it has now.
    m_catalog.reset();
    m_userModel->removeRows(0, m_userModel->rowCount());
    m_catalogModel->removeRows(0, m_catalogModel->rowCount());
    if (CKivMedienListe *media = m_host.GetMedia()) {
        m_catalog = std::make_unique<CKivMediaCatalog>(m_host.GetDatabase(), *media);
        m_catalog->SetShowCds(m_showCds->isChecked());
        m_catalog->Fill();
        for (const CKivMediaCatalog::UserEntry &entry : m_catalog->UserMedia()) {
            QList<QStandardItem *> row{new QStandardItem(driveIcon(style(), entry.icon), entry.medium->DriveTypeText()),
                                       new QStandardItem(entry.medium->GetName()),
                                       new QStandardItem(entry.medium->GetDrive()),
                                       new QStandardItem(entry.medium->GetPath())};
            row.first()->setData(QVariant::fromValue(static_cast<void *>(entry.medium)), MediumRole);
            m_userModel->appendRow(row);
        }
        for (CKivMedium *medium : m_catalog->CatalogMedia()) {
            auto *item = new QStandardItem(medium->GetName());
            item->setData(QVariant::fromValue(static_cast<void *>(medium)), MediumRole);
            m_catalogModel->appendRow(item);
        }
    }
    updateButtons();
}

void CKivMediaCatalogDlg::select(CKivMedium *medium)
{
    if (m_catalog)
        m_catalog->Select(medium);
    updateButtons();
}

void CKivMediaCatalogDlg::updateButtons()
{
    const CKivMediaCatalog::Buttons states = m_catalog ? m_catalog->ButtonStates() : CKivMediaCatalog::Buttons{};
    m_edit->setEnabled(states.edit);
    m_remove->setEnabled(states.remove);
    m_add->setEnabled(states.add);
    m_export->setEnabled(states.exportArchive);
    m_delete->setEnabled(states.deleteMedium);
    m_create->setEnabled(m_catalog != nullptr);
    m_import->setEnabled(m_catalog != nullptr);
}

void CKivMediaCatalogDlg::onCreate()
{
    if (CKivMedienListe *media = m_host.GetMedia())
        media->CreateNew(m_host.GetDatabase(), [this](CKivMediumForm &form) { return CKivMediumDlg::RunForm(form, this); });
    Refill();
}

void CKivMediaCatalogDlg::onEdit()
{
    CKivMedium *medium = m_catalog ? m_catalog->Current() : nullptr;
    if (medium && !medium->IsCd() && medium->GetAssignmentID() != -1)
        CKivMediumDlg::Run(*medium, m_host.GetDatabase(), this);
    Refill();
}

void CKivMediaCatalogDlg::onAssign()
{
    if (m_catalog)
        m_catalog->Assign(m_catalog->Current(), [this](CKivMediumForm &form) { return CKivMediumDlg::RunForm(form, this); });
    Refill();
}

void CKivMediaCatalogDlg::onUnassign()
{
    CKivMedium *medium = m_catalog ? m_catalog->Current() : nullptr;
    if (medium && medium->GetAssignmentID() != -1)
        m_catalog->Unassign(medium);
    Refill();
}

void CKivMediaCatalogDlg::onDelete()
{
    CKivMediumDeleteDlg dialog(m_host, m_catalog ? m_catalog->Current() : nullptr, this);
    dialog.exec();
    Refill();
}

void CKivMediaCatalogDlg::onExport()
{
    if (CKivMedium *medium = m_catalog ? m_catalog->Current() : nullptr) {
        CKivArchiveExportDlg dialog(m_host.GetDatabase(), *medium, this);
        dialog.exec();
    }
}

void CKivMediaCatalogDlg::onImport()
{
    CKivArchiveImportDlg::ChooseAndImport(m_host, this);
    Refill();
}
