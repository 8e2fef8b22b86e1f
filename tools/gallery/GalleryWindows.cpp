#include "GalleryWindows.h"

#include "db/uDB_FB.h"
#include "ui/SCheckListBox.h"
#include "ui/SComboBox.h"
#include "ui/SCurrencyEdit.h"
#include "ui/SEdit.h"
#include "ui/SFloatEdit.h"
#include "ui/SLabel.h"
#include "ui/SListViewDB.h"
#include "ui/SListViewVirtual.h"
#include "ui/STitle.h"
#include "ui/uDB_GUI.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

// A parent of a member as the member window keeps it.
class TGalerieRodic : public TVirtualObject
{
public:
    QString Name;
    void Load(const TSQLDB& row) override
    {
        TVirtualObject::Load(row);
        Name = row.GetText(QStringLiteral("DisplayName"));
    }

protected:
    QVariant SaveNew() override { return Null; }
    void SaveEdit() override {}
    void SaveDelete() override {}
};

} // namespace

TfrmGalerieSeznam::TfrmGalerieSeznam(QWidget* parent)
    : TSFormList(parent)
{
    setObjectName(QStringLiteral("frmGalerieSeznam"));
    setWindowTitle(QStringLiteral("Seznam osob"));
    Title()->SetCaption(QStringLiteral("Seznam osob – Čeněk, Šťastný, Žák"));
    Title()->SetIcon(style()->standardIcon(QStyle::SP_DirHomeIcon));
    CountKind = QStringLiteral("osob");
    DeleteKind = QStringLiteral("osobu");

    auto* filter = new QHBoxLayout(FilterPanel());
    filter->setContentsMargins(8, 2, 8, 2);
    m_text = new TSEdit(FilterPanel());
    m_text->setObjectName(QStringLiteral("txtText"));
    m_text->Act_Find = actVyhledat;
    m_type = new TSComboBox(FilterPanel());
    m_type->setObjectName(QStringLiteral("cmbTyp"));
    m_type->Act_Find = actVyhledat;
    filter->addWidget(new QLabel(QStringLiteral("Příjmení:")));
    filter->addWidget(m_text);
    filter->addWidget(new QLabel(QStringLiteral("Typ:")));
    filter->addWidget(m_type);
    filter->addStretch();

    List()->setObjectName(QStringLiteral("lstOsoby"));
    List()->SetImages({style()->standardIcon(QStyle::SP_FileIcon), style()->standardIcon(QStyle::SP_MessageBoxWarning)});
    List()->SetColumns({{QStringLiteral("Příjmení"), 160, QStringLiteral("DisplayName")},
                        {QStringLiteral("Částka"), 110, QStringLiteral("Castka"), TSColumnKind::Money},
                        {QStringLiteral("Datum"), 90, QStringLiteral("Datum"), TSColumnKind::Date},
                        {QStringLiteral("Poznámka"), 200}});
    List()->OnRowResult = [](TSListItem& item, const TSQLDB& q) {
        const bool negative = q.GetCurrency(QStringLiteral("Castka")) < Money();
        item.SetImageIndex(negative ? 1 : 0);
        if (negative)
            item.SetTextColor(1, Qt::blue);
        item.SetValue(3, negative ? QStringLiteral("dluží oddílu") : QString());
    };
    xTable2Combo(m_type, QStringLiteral("TEST_CISELNIK"), true);
    VychoziFiltr();
}

QString TfrmGalerieSeznam::SearchSQL()
{
    const QString text = m_text->text().trimmed();
    return xProcText(QStringLiteral("TEST_OSOBY_ALL"), {text.isEmpty() ? Null : QVariant(text)}, {}, true);
}

void TfrmGalerieSeznam::DefaultFilter()
{
    m_text->clear();
    m_type->setCurrentIndex(0);
}

TfrmGalerieKarta::TfrmGalerieKarta(QWidget* parent)
    : TSFormDetail(parent)
{
    setObjectName(QStringLiteral("frmGalerieKarta"));
    setWindowTitle(QStringLiteral("Karta člena"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 8);
    auto* title = new TSTitle(this);
    title->setObjectName(QStringLiteral("lblTitle"));
    title->SetCaption(QStringLiteral("Karta člena – nezaplacené příspěvky"));
    title->SetImportant(true);
    title->SetIcon(style()->standardIcon(QStyle::SP_MessageBoxInformation));
    layout->addWidget(title);

    auto* pages = new QTabWidget(this);
    pages->setObjectName(QStringLiteral("pcKarta"));
    layout->addWidget(pages);

    auto* main = new QWidget;
    auto* form = new QFormLayout(main);
    auto* name = new TSEdit(main);
    name->setObjectName(QStringLiteral("txtPrijmeni"));
    name->setText(QStringLiteral("Řehořová Žofie"));
    auto* age = new TSFloatEdit(main);
    age->setObjectName(QStringLiteral("txtVek"));
    age->FloatType = TFloatType::flInteger;
    age->SetValue(14);
    auto* weight = new TSFloatEdit(main);
    weight->setObjectName(QStringLiteral("txtVaha"));
    weight->SetValue(52.75);
    auto* fee = new TSCurrencyEdit(main);
    fee->setObjectName(QStringLiteral("txtPrispevek"));
    fee->SetValue(Money::fromUnits(12345678));
    auto* category = new TSComboBox(main);
    category->setObjectName(QStringLiteral("cmbKategorie"));
    auto* web = new TSLabel(main);
    web->setObjectName(QStringLiteral("lblWeb"));
    web->setText(QStringLiteral("www.oddil-ceske-budejovice.cz"));
    web->URL = web->text();
    form->addRow(QStringLiteral("Příjmení a jméno:"), name);
    form->addRow(QStringLiteral("Věk:"), age);
    form->addRow(QStringLiteral("Váha (kg):"), weight);
    form->addRow(QStringLiteral("Příspěvek:"), fee);
    form->addRow(QStringLiteral("Kategorie:"), category);
    form->addRow(QStringLiteral("Web:"), web);
    pages->addTab(main, QStringLiteral("Základní údaje"));

    auto* lists = new QWidget;
    auto* listLayout = new QHBoxLayout(lists);
    auto* places = new TSListBox(lists);
    places->setObjectName(QStringLiteral("lstMista"));
    auto* checks = new TSCheckListBox(lists);
    checks->setObjectName(QStringLiteral("lstOddily"));
    m_parents = new TSListViewVirtual(lists);
    m_parents->setObjectName(QStringLiteral("lstRodice"));
    m_parents->SetColumns({{QStringLiteral("Rodič"), 130}, {QStringLiteral("Stav"), 70}});
    m_parents->OnRowResultVirtual = [](TSListItem& item, TVirtualObject& o) {
        item.SetCaption(static_cast<TGalerieRodic&>(o).Name);
        item.AddSubItem(o.State == TVirtualObject::New ? QStringLiteral("nový") : QStringLiteral("uložený"));
    };
    listLayout->addWidget(places, 1);
    listLayout->addWidget(checks, 1);
    listLayout->addWidget(m_parents, 2);
    pages->addTab(lists, QStringLiteral("Seznamy a rodiče"));

    auto* buttons = new QHBoxLayout;
    buttons->setContentsMargins(8, 0, 8, 0);
    buttons->addStretch();
    auto* save = new QPushButton(QStringLiteral("Uložit"), this);
    save->setObjectName(QStringLiteral("cmdUlozit"));
    save->setDefault(true);
    auto* close = new QPushButton(QStringLiteral("Zavřít"), this);
    close->setObjectName(QStringLiteral("cmdZavrit"));
    buttons->addWidget(save);
    buttons->addWidget(close);
    layout->addLayout(buttons);
    resize(560, 380);
}

void TfrmGalerieKarta::FillPickers()
{
    xTable2Combo(findChild<TSComboBox*>(QStringLiteral("cmbKategorie")), QStringLiteral("TEST_CISELNIK"), true, true,
                 QStringLiteral("<žádná>"));
    xDB2Combo(findChild<TSListBox*>(QStringLiteral("lstMista")), xProcCall(QStringLiteral("TEST_CISELNIK_COMBO"), {}, {}, true));
    auto* checks = findChild<TSCheckListBox*>(QStringLiteral("lstOddily"));
    xDB2Combo(checks, xActiveList(QStringLiteral("TEST_CISELNIK")));
    checks->SetChecked(1, true);
}

void TfrmGalerieKarta::LoadData()
{
    findChild<TSComboBox*>(QStringLiteral("cmbKategorie"))->SelectID(3);
    findChild<TSListBox*>(QStringLiteral("lstMista"))->SelectID(2);
    auto parents = std::make_unique<TVirtualCollection>(1, [] { return std::make_unique<TGalerieRodic>(); });
    parents->LoadFromResult(xProcCall(QStringLiteral("TEST_VO_ALL"), {}, {}, true));
    auto fresh = std::make_unique<TGalerieRodic>();
    fresh->Name = QStringLiteral("Šárka Čížková");
    parents->Add(std::move(fresh));
    m_parents->SetCollection(std::move(parents));
}

TfrmGalerieVelky::TfrmGalerieVelky(QWidget* parent)
    : TSForm(parent)
{
    setObjectName(QStringLiteral("frmGalerieVelky"));
    setWindowTitle(QStringLiteral("100 000 řádků"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* title = new TSTitle(this);
    title->SetCaption(QStringLiteral("Deník – 100 000 řádků"));
    layout->addWidget(title);
    auto* list = new TSListViewDB(this);
    list->setObjectName(QStringLiteral("lstDenik"));
    layout->addWidget(list);
    list->SetColumns({{QStringLiteral("Text"), 180, QStringLiteral("DisplayName")},
                      {QStringLiteral("Částka"), 110, QStringLiteral("Castka"), TSColumnKind::Money},
                      {QStringLiteral("Datum"), 90, QStringLiteral("Datum"), TSColumnKind::Date}});
    list->SortFields[0].clear();
    list->SortColumn = 1;
    list->SortAsc = false;
    list->OpenSQL(xProcText(QStringLiteral("TEST_ROWS"), {100000}, {}, true));
    list->SelectRow(50000);
    list->scrollTo(list->Model()->index(50000, 0), QAbstractItemView::PositionAtCenter);
    resize(440, 320);
}
