#include "ui/SForm.h"

#include "core/uProject.h"
#include "core/uRegistry.h"

#include <QAction>
#include <QGuiApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScreen>

namespace {

QString formKey()
{
    return Project() ? Project()->RegKey + QStringLiteral("\\Form") : QString();
}

bool resizable(const QWidget* w)
{
    return w->minimumSize() != w->maximumSize();
}

} // namespace

TSForm::TSForm(QWidget* parent)
    : QDialog(parent)
    , m_help(new QAction(this))
{
    m_help->setObjectName(QStringLiteral("actHelp"));
    m_help->setShortcut(QKeySequence(Qt::Key_F1));
    m_help->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    m_help->setEnabled(false); // without a topic F1 is left to the main window
    addAction(m_help);
    connect(m_help, &QAction::triggered, this, &TSForm::Help);
}

TSForm::~TSForm()
{
    // A window in an MDI area has stored its placement when it was hidden.
    if (m_placed && !m_sub && isVisible())
        StorePlacement();
}

void TSForm::SetHelpFile(const QString& topic)
{
    m_helpFile = topic;
    m_help->setEnabled(!topic.isEmpty());
}

void TSForm::Help()
{
    if (!m_helpFile.isEmpty() && Project())
        Project()->ShowHelp(m_helpFile + QStringLiteral(".htm"));
}

void TSForm::Created()
{
    if (Project())
        Project()->ApplyLocale(this);
}

void TSForm::ensureCreated()
{
    if (m_created)
        return;
    m_created = true;
    Created();
}

int TSForm::ShowModal()
{
    return exec() == mrOK ? mrOK : mrCancel;
}

QMdiSubWindow* TSForm::ShowInMdi(QMdiArea* area)
{
    ensureCreated();
    if (!m_sub) {
        m_sub = area->addSubWindow(this);
        // The window lives as long as the program; closing only hides it.
        m_sub->setAttribute(Qt::WA_DeleteOnClose, false);
        m_sub->setWindowIcon(windowIcon());
    }
    if (!m_placed) {
        m_placed = true;
        RestorePlacement();
    }
    QDialog::setVisible(true);
    if (m_sub->windowState() & Qt::WindowMaximized)
        m_sub->showMaximized();
    else
        m_sub->show();
    area->setActiveSubWindow(m_sub);
    return m_sub;
}

void TSForm::setVisible(bool visible)
{
    if (visible && !m_sub) {
        ensureCreated();
        if (!m_placed) {
            m_placed = true;
            RestorePlacement();
        }
    }
    QDialog::setVisible(visible);
}

void TSForm::done(int result)
{
    QDialog::done(result);
    // In an MDI area the subwindow goes with the window.
    if (m_sub && m_sub->isVisible())
        m_sub->hide();
}

void TSForm::hideEvent(QHideEvent* event)
{
    if (m_placed)
        StorePlacement();
    QDialog::hideEvent(event);
}

QWidget* TSForm::frameWindow() const
{
    if (m_sub)
        return m_sub;
    return const_cast<TSForm*>(this);
}

void TSForm::RestorePlacement()
{
    const QString key = formKey();
    if (key.isEmpty() || objectName().isEmpty())
        return;
    QWidget* frame = frameWindow();
    const QString name = objectName() + QLatin1Char('_');
    const int state = RegReadInt(key, name + QStringLiteral("windowstate"), 0);
    if (state == 1)
        frame->setWindowState(frame->windowState() & ~(Qt::WindowMaximized | Qt::WindowMinimized));
    else if (state == 2)
        frame->setWindowState((frame->windowState() & ~Qt::WindowMinimized) | Qt::WindowMaximized);
    if (frame->windowState() & (Qt::WindowMaximized | Qt::WindowMinimized))
        return;
    if (resizable(this))
        frame->resize(RegReadInt(key, name + QStringLiteral("width"), frame->width()),
                      RegReadInt(key, name + QStringLiteral("height"), frame->height()));
    const QString top = RegReadString(key, name + QStringLiteral("top"), QString());
    if (top.isEmpty())
        return; // keeps the placement of its design (centred on its owner)
    bool ok = false;
    const int y = top.trimmed().toInt(&ok);
    frame->move(RegReadInt(key, name + QStringLiteral("left"), frame->x()), ok ? y : frame->y());
    keepOnScreen();
}

void TSForm::keepOnScreen()
{
    QWidget* frame = frameWindow();
    QList<QRect> areas;
    if (m_sub) {
        if (m_sub->mdiArea())
            areas << m_sub->mdiArea()->viewport()->rect();
    } else {
        if (QScreen* primary = QGuiApplication::primaryScreen())
            areas << primary->availableGeometry();
        for (QScreen* s : QGuiApplication::screens())
            areas << s->availableGeometry();
    }
    if (areas.isEmpty() || areas.constFirst().isEmpty())
        return; // nothing laid out to compare with yet
    // The window can be reached while the corner of its title bar is visible.
    const QRect corner(frame->pos(), QSize(std::min(frame->width(), 100), 20));
    for (const QRect& a : std::as_const(areas))
        if (a.intersects(corner))
            return;
    // Off every screen (a monitor that is gone): onto the first one, whole if it fits.
    const QRect area = areas.constFirst();
    const QSize size = frame->size().boundedTo(area.size());
    if (size != frame->size())
        frame->resize(size);
    frame->move(area.left() + (area.width() - size.width()) / 2, area.top() + (area.height() - size.height()) / 2);
}

void TSForm::StorePlacement()
{
    const QString key = formKey();
    if (key.isEmpty() || objectName().isEmpty())
        return;
    const QWidget* frame = frameWindow();
    const QString name = objectName() + QLatin1Char('_');
    const Qt::WindowStates s = frame->windowState();
    const int state = (s & Qt::WindowMinimized) ? 0 : (s & Qt::WindowMaximized) ? 2 : 1;
    RegWrite(key, name + QStringLiteral("windowstate"), state);
    if (state != 1)
        return;
    if (resizable(this)) {
        RegWrite(key, name + QStringLiteral("width"), frame->width());
        RegWrite(key, name + QStringLiteral("height"), frame->height());
    }
    RegWrite(key, name + QStringLiteral("top"), QString::number(frame->y()));
    RegWrite(key, name + QStringLiteral("left"), QString::number(frame->x()));
}
