#include "ui/SFormList.h"

#include "resources/Images.h"
#include "ui_SFormList.h"

#include "core/uDialogs.h"
#include "ui/SFormDetail.h"

#include <QMenu>
#include <QStyle>
#include <QToolButton>

namespace {

QAction* makeAction(QWidget* owner, const char* name, const QString& text, const QKeySequence& key,
                    Qt::ShortcutContext context, const char* icon)
{
    auto* a = new QAction(text, owner);
    a->setObjectName(QString::fromLatin1(name));
    a->setShortcut(key);
    a->setShortcutContext(context);
    a->setIcon(ToolIcon(QString::fromLatin1(icon)));
    owner->addAction(a);
    return a;
}

} // namespace

TSFormList::TSFormList(QWidget* parent)
    : TSForm(parent)
    , ui(std::make_unique<Ui::TSFormList>())
{
    ui->setupUi(this);
    setObjectName(QString());
    TSListViewDB* list = ui->lstSeznam;
    // Window-wide keys stay inside this window even when several MDI children
    // have them; Enter and Delete belong to the list, so that a filter field
    // keeps them for itself.
    constexpr auto inWindow = Qt::WidgetWithChildrenShortcut;
    actNovy = makeAction(this, "actNovy", QStringLiteral("Nový"), QKeySequence(Qt::CTRL | Qt::Key_N), inWindow,
                         "new");
    actDetail = makeAction(list, "actDetail", QStringLiteral("Detail"), QKeySequence(Qt::Key_Return), Qt::WidgetShortcut,
                           "detail");
    actDetail->setShortcuts({QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)});
    actSmazat = makeAction(list, "actSmazat", QStringLiteral("Smazat"), QKeySequence(Qt::Key_Delete), Qt::WidgetShortcut,
                           "delete");
    actTisk = makeAction(this, "actTisk", QStringLiteral("Tisk"), QKeySequence(Qt::CTRL | Qt::Key_P), inWindow,
                         "print");
    actVyhledat = makeAction(this, "actVyhledat", QStringLiteral("Vyhledat"), QKeySequence(Qt::Key_F5), inWindow,
                             "search");
    actVychoziFiltr = new QAction(QStringLiteral("Výchozí filtr"), this);
    actVychoziFiltr->setObjectName(QStringLiteral("actVychoziFiltr"));
    actVychoziFiltr->setIcon(ToolIcon(QStringLiteral("default-filter")));

    ui->tbAkce->addAction(actNovy);
    ui->tbAkce->addAction(actDetail);
    ui->tbAkce->addAction(actSmazat);
    ui->tbAkce->addSeparator();
    ui->tbAkce->addAction(actTisk);
    ui->tbAkce->addAction(actVyhledat);
    auto* menu = new QMenu(this);
    menu->addAction(actVychoziFiltr);
    if (auto* button = qobject_cast<QToolButton*>(ui->tbAkce->widgetForAction(actVyhledat))) {
        button->setMenu(menu);
        button->setPopupMode(QToolButton::MenuButtonPopup);
    }
    list->setContextMenuPolicy(Qt::ActionsContextMenu);
    ui->sbStatus->addWidget(ui->lblPocet, 1);

    list->Act_New = actNovy;
    list->Act_Detail = actDetail;
    list->Act_Delete = actSmazat;
    actDetail->setEnabled(false);
    actSmazat->setEnabled(false);
    connect(list, &TSListView::SelectItem, this, &TSFormList::RowSelected);
    connect(actNovy, &QAction::triggered, this, [this] { Detail(0); });
    connect(actDetail, &QAction::triggered, this, [this] {
        if (List()->SelectedIndex() >= 0)
            Detail(List()->SelectedID());
    });
    connect(actSmazat, &QAction::triggered, this, &TSFormList::Smazat);
    connect(actTisk, &QAction::triggered, this, &TSFormList::Tisk);
    connect(actVyhledat, &QAction::triggered, this, &TSFormList::Vyhledat);
    connect(actVychoziFiltr, &QAction::triggered, this, &TSFormList::VychoziFiltr);
}

TSFormList::~TSFormList() = default;

TSTitle* TSFormList::Title() const { return ui->lblTitle; }
QWidget* TSFormList::FilterPanel() const { return ui->pnlFilter; }
TSListViewDB* TSFormList::List() const { return ui->lstSeznam; }
QStatusBar* TSFormList::StatusBar() const { return ui->sbStatus; }

void TSFormList::Vyhledat()
{
    List()->OpenSQL(SearchSQL());
    ShowCount();
}

void TSFormList::VychoziFiltr()
{
    DefaultFilter();
    Vyhledat();
}

void TSFormList::ShowCount()
{
    ui->lblPocet->setText(QStringLiteral("Počet zobrazených ") + CountKind + QStringLiteral(": ")
                          + QString::number(List()->Count()));
}

void TSFormList::RowSelected(int)
{
    actDetail->setEnabled(true);
    actSmazat->setEnabled(true);
}

int TSFormList::OpenDetail(qint64& id)
{
    TSFormDetail* form = DetailForm();
    if (!form)
        return mrCancel;
    const int result = form->OpenDetail(static_cast<int>(id));
    id = form->ID;
    return result;
}

void TSFormList::Detail(qint64 id)
{
    if (OpenDetail(id) != mrOK)
        return;
    Vyhledat();
    List()->SelectID(id);
}

QString TSFormList::DeleteQuestion(const QString& caption) const
{
    return QStringLiteral("Opravdu chcete smazat ") + DeleteKind + QStringLiteral(": ") + caption + QStringLiteral(" ?");
}

void TSFormList::Smazat()
{
    const int row = List()->SelectedIndex();
    if (row < 0 || !Confirm(DeleteQuestion(List()->Caption(row))))
        return;
    try {
        DeleteRecord(List()->SelectedID());
    } catch (const TTalbreckDBException& e) {
        if (e.Severity() != 3)
            throw;
        ShowDBMessage(e);
        return;
    }
    Vyhledat();
}
