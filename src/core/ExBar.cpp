#include "core/ExBar.h"

#include "core/uRegistry.h"

#include <QFileInfo>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTimer>
#include <QToolTip>

#include <algorithm>

namespace {

constexpr int kMargin = 6;      // around the groups
constexpr int kGroupGap = 6;    // between two groups
constexpr int kBodyPad = 4;     // above and below the entries of a group
constexpr int kItemInset = 4;   // between the body's edge and an item
constexpr int kItemGap = 2;     // between two items
constexpr int kIconSize = 32;
constexpr int kRowHeight = kIconSize + 8;
constexpr int kTextIndent = 10; // of text lines
constexpr int kIconLeft = 6;    // inside an item
constexpr int kCaptionLeft = kIconLeft + kIconSize + 9;
constexpr int kCaptionRight = 4;
constexpr int kRadius = 6;
constexpr int kHeaderTextLeft = 10;
constexpr int kChevronSpace = 22;
constexpr int kMinimumWrapWidth = 100; // narrower text lines are cut short
constexpr int kMaximumWidth = 1000;
constexpr qreal kAnimationStep = 0.25; // of a group's height per timer tick

QColor mix(const QColor& a, const QColor& b, qreal t)
{
    return QColor::fromRgbF(float(a.redF() + (b.redF() - a.redF()) * t), float(a.greenF() + (b.greenF() - a.greenF()) * t),
                            float(a.blueF() + (b.blueF() - a.blueF()) * t));
}

QColor withAlpha(QColor c, int alpha)
{
    c.setAlpha(alpha);
    return c;
}

QFont boldFont(QFont f)
{
    f.setBold(true);
    return f;
}

int wrappedHeight(const QFontMetrics& fm, int width, const QString& text)
{
    return fm.boundingRect(QRect(0, 0, std::max(1, width), 100000), Qt::TextWordWrap, text).height();
}

} // namespace

TExBar::TExBar(QWidget* parent)
    : QWidget(parent)
    , m_timer(new QTimer(this))
    , m_scroll(new QScrollBar(Qt::Vertical, this))
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Expanding);
    m_timer->setInterval(AnimationInterval);
    connect(m_timer, &QTimer::timeout, this, &TExBar::animateStep);
    m_scroll->hide();
    m_scroll->setSingleStep(24);
    m_scroll->setFocusPolicy(Qt::NoFocus);
    connect(m_scroll, &QScrollBar::valueChanged, this, qOverload<>(&QWidget::update));
}

TExBar::~TExBar() = default;

// ---------------------------------------------------------------- building

int TExBar::addGroup(const QString& caption, const QString& key)
{
    Group g;
    g.caption = caption;
    g.key = key;
    m_groups.append(g);
    changed();
    return int(m_groups.size()) - 1;
}

int TExBar::addItem(int group, const QString& caption, const QString& hint, const QIcon& icon, int page)
{
    if (!validGroup(group))
        return -1;
    Entry e;
    e.caption = caption;
    e.hint = hint;
    e.icon = icon;
    e.page = page;
    m_groups[group].entries.append(e);
    changed();
    return itemCount(group) - 1;
}

void TExBar::addText(int group, const QString& text, const QColor& color)
{
    if (!validGroup(group))
        return;
    Entry e;
    e.isItem = false;
    e.caption = text;
    e.color = color;
    m_groups[group].entries.append(e);
    changed();
}

void TExBar::clearTexts(int group)
{
    if (!validGroup(group))
        return;
    // Remember the item under the mouse and the current one by their item
    // numbers: removing text lines shifts the entries after them.
    auto itemNumber = [this](const Spot& s) {
        if (!s.isValid() || s.entry < 0 || s.group >= int(m_groups.size()) || s.entry >= int(m_groups[s.group].entries.size()))
            return -1;
        int n = 0;
        for (int i = 0; i < s.entry; ++i)
            n += m_groups[s.group].entries[i].isItem ? 1 : 0;
        return m_groups[s.group].entries[s.entry].isItem ? n : -1;
    };
    const int current = m_current.group == group ? itemNumber(m_current) : -1;
    auto& entries = m_groups[group].entries;
    entries.erase(std::remove_if(entries.begin(), entries.end(), [](const Entry& e) { return !e.isItem; }), entries.end());
    if (m_current.group == group)
        m_current.entry = current >= 0 ? entryOfItem(group, current) : -1;
    if (m_hover.group == group)
        m_hover = {};
    if (m_pressed.group == group)
        m_pressed = {};
    changed();
}

void TExBar::clear()
{
    m_groups.clear();
    m_highlighted = -1;
    m_hover = m_pressed = m_current = {};
    m_timer->stop();
    changed();
}

void TExBar::beginUpdate()
{
    ++m_updateLock;
}

void TExBar::endUpdate()
{
    if (m_updateLock > 0 && --m_updateLock == 0 && m_dirty) {
        doLayout();
        update();
    }
}

// ---------------------------------------------------------------- queries

bool TExBar::validGroup(int group) const
{
    return group >= 0 && group < int(m_groups.size());
}

int TExBar::entryOfItem(int group, int item) const
{
    if (!validGroup(group) || item < 0)
        return -1;
    const auto& entries = m_groups[group].entries;
    for (int i = 0, n = 0; i < int(entries.size()); ++i)
        if (entries[i].isItem && n++ == item)
            return i;
    return -1;
}

int TExBar::groupCount() const
{
    return int(m_groups.size());
}

int TExBar::itemCount(int group) const
{
    if (!validGroup(group))
        return 0;
    const auto& entries = m_groups[group].entries;
    return int(std::count_if(entries.begin(), entries.end(), [](const Entry& e) { return e.isItem; }));
}

int TExBar::textCount(int group) const
{
    if (!validGroup(group))
        return 0;
    return int(m_groups[group].entries.size()) - itemCount(group);
}

QString TExBar::groupCaption(int group) const
{
    return validGroup(group) ? m_groups[group].caption : QString();
}

QString TExBar::groupKey(int group) const
{
    return validGroup(group) ? m_groups[group].key : QString();
}

QString TExBar::text(int group, int line) const
{
    if (!validGroup(group))
        return {};
    int n = 0;
    for (const Entry& e : m_groups[group].entries)
        if (!e.isItem && n++ == line)
            return e.caption;
    return {};
}

// ---------------------------------------------------------------- state

void TExBar::setPageEnabled(int page, bool enabled)
{
    for (Group& g : m_groups)
        for (Entry& e : g.entries)
            if (e.isItem && e.page == page)
                e.enabled = enabled;
    changed();
}

bool TExBar::isPageEnabled(int page) const
{
    for (const Group& g : m_groups)
        for (const Entry& e : g.entries)
            if (e.isItem && e.page == page)
                return e.enabled;
    return false;
}

void TExBar::setHighlighted(int group)
{
    m_highlighted = validGroup(group) ? group : -1;
    changed();
}

int TExBar::highlighted() const
{
    return m_highlighted;
}

void TExBar::setExpanded(int group, bool expanded)
{
    if (!validGroup(group))
        return;
    Group& g = m_groups[group];
    g.expanded = expanded;
    g.open = expanded ? 1.0 : 0.0;
    if (!expanded && m_current.group == group)
        m_current.entry = -1;
    changed();
}

bool TExBar::isExpanded(int group) const
{
    return validGroup(group) && m_groups[group].expanded;
}

void TExBar::toggleGroup(int group)
{
    if (!validGroup(group))
        return;
    if (!m_animated) {
        setExpanded(group, !m_groups[group].expanded);
        return;
    }
    Group& g = m_groups[group];
    g.expanded = !g.expanded;
    if (!g.expanded && m_current.group == group)
        m_current.entry = -1;
    if (!m_timer->isActive())
        m_timer->start();
    changed();
}

void TExBar::animateStep()
{
    bool moving = false;
    for (Group& g : m_groups) {
        const qreal target = g.expanded ? 1.0 : 0.0;
        if (g.open == target)
            continue;
        g.open = g.expanded ? std::min(1.0, g.open + kAnimationStep) : std::max(0.0, g.open - kAnimationStep);
        moving = moving || g.open != target;
    }
    if (!moving)
        m_timer->stop();
    changed();
}

void TExBar::setAnimated(bool animated)
{
    m_animated = animated;
    if (!animated) {
        // Whatever is moving arrives at once.
        m_timer->stop();
        for (Group& g : m_groups)
            g.open = g.expanded ? 1.0 : 0.0;
        changed();
    }
}

bool TExBar::isAnimated() const
{
    return m_animated;
}

void TExBar::setShowCaptions(bool show)
{
    m_showCaptions = show;
    changed();
}

bool TExBar::showCaptions() const
{
    return m_showCaptions;
}

void TExBar::setBackground(const QPixmap& picture)
{
    m_background = picture;
    changed();
}

QPixmap TExBar::background() const
{
    return m_background;
}

void TExBar::setBarWidth(int width)
{
    m_barWidth = std::clamp(width, int(MinimumWidth), kMaximumWidth);
    updateGeometry();
    resize(m_barWidth, height());
}

int TExBar::barWidth() const
{
    return m_barWidth;
}

// ---------------------------------------------------------------- registry

QString TExBar::skinFile(const QString& dataDir, const QString& name)
{
    // The name comes from the registry: a path in it would reach outside the skin folder.
    if (name.isEmpty() || name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\')) || name == QLatin1String("..")
        || name == QLatin1String("."))
        return {};
    QString folder = dataDir;
    if (!folder.isEmpty() && !folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    for (const char* ext : {".bmp", ".BMP", ".png", ".PNG"}) {
        const QString path = folder + QStringLiteral("skin/") + name + QLatin1String(ext);
        if (QFileInfo(path).isFile())
            return path;
    }
    return {};
}

void TExBar::loadState(const QString& regKey, const QString& dataDir)
{
    const QString key = regKey + QStringLiteral("\\ExBar");
    beginUpdate();
    for (int i = 0; i < int(m_groups.size()); ++i)
        if (!m_groups[i].key.isEmpty())
            setExpanded(i, RegReadBool(key, m_groups[i].key, true));
    setBarWidth(RegReadInt(key, QStringLiteral("width"), DefaultWidth));
    setAnimated(RegReadBool(key, QStringLiteral("animace"), true));
    setShowCaptions(RegReadBool(key, QStringLiteral("popisky"), true));
    // A missing or unreadable picture means no background.
    const QString skin = skinFile(dataDir, RegReadString(key, QStringLiteral("skin"), QString()));
    setBackground(skin.isEmpty() ? QPixmap() : QPixmap(skin));
    endUpdate();
}

void TExBar::saveState(const QString& regKey) const
{
    const QString key = regKey + QStringLiteral("\\ExBar");
    for (const Group& g : m_groups)
        if (!g.key.isEmpty())
            RegWrite(key, g.key, g.expanded);
    RegWrite(key, QStringLiteral("width"), m_barWidth);
}

// ---------------------------------------------------------------- layout

void TExBar::changed()
{
    m_dirty = true;
    if (m_updateLock == 0) {
        doLayout();
        update();
    }
}

void TExBar::ensureLayout() const
{
    if (m_dirty)
        const_cast<TExBar*>(this)->doLayout();
}

void TExBar::doLayout()
{
    m_dirty = false;
    const int scrollWidth = m_scroll->sizeHint().width();
    int content = layoutGroups(width());
    const bool scrolls = content > height();
    if (scrolls)
        content = layoutGroups(width() - scrollWidth);
    m_contentHeight = content;
    m_scroll->setGeometry(width() - scrollWidth, 0, scrollWidth, height());
    m_scroll->setRange(0, std::max(0, content - height()));
    m_scroll->setPageStep(std::max(1, height()));
    m_scroll->setVisible(scrolls);
    if (!scrolls)
        m_scroll->setValue(0);
}

int TExBar::layoutGroups(int width)
{
    const QFontMetrics fm(font());
    const QFontMetrics headerFm(boldFont(font()));
    const int headerHeight = std::max(26, headerFm.height() + 12);
    const int x = kMargin;
    const int w = std::max(1, width - 2 * kMargin);
    const int itemWidth = w - 2 * kItemInset;
    const int captionWidth = itemWidth - kCaptionLeft - kCaptionRight;
    const int textWidth = w - 2 * kTextIndent;

    int y = kMargin;
    for (Group& g : m_groups) {
        g.header = QRect(x, y, w, headerHeight);
        y += headerHeight;
        g.bodyTop = y;
        int by = y + kBodyPad;
        for (Entry& e : g.entries) {
            if (e.isItem) {
                int h = kRowHeight;
                if (m_showCaptions)
                    h = std::max(h, wrappedHeight(fm, captionWidth, e.caption) + 10);
                e.rect = QRect(x + kItemInset, by, itemWidth, h);
                by += h + kItemGap;
            } else {
                // A narrow bar cuts text lines short instead of breaking them
                // into a column of syllables; the tool tip has the whole line.
                const int h = (textWidth < kMinimumWrapWidth ? fm.height() : wrappedHeight(fm, textWidth, e.caption)) + 3;
                e.rect = QRect(x + kTextIndent, by, textWidth, h);
                by += h;
            }
        }
        g.bodyFull = g.entries.isEmpty() ? 0 : by - y + kBodyPad;
        g.bodyShown = int(std::lround(g.bodyFull * g.open));
        y += g.bodyShown + kGroupGap;
    }
    return m_groups.isEmpty() ? 0 : y - kGroupGap + kMargin;
}

QSize TExBar::sizeHint() const
{
    ensureLayout();
    return {m_barWidth, std::max(200, m_contentHeight)};
}

QSize TExBar::minimumSizeHint() const
{
    return {MinimumWidth, 80};
}

QRect TExBar::headerRect(int group) const
{
    if (!validGroup(group))
        return {};
    ensureLayout();
    const int sy = m_scroll->isHidden() ? 0 : m_scroll->value();
    return m_groups[group].header.translated(0, -sy);
}

QRect TExBar::itemRect(int group, int item) const
{
    const int entry = entryOfItem(group, item);
    if (entry < 0)
        return {};
    ensureLayout();
    const Group& g = m_groups[group];
    if (!g.expanded || g.open < 1.0)
        return {};
    return spotRect({group, entry});
}

QRect TExBar::spotRect(const Spot& s) const
{
    if (!validGroup(s.group))
        return {};
    const int sy = m_scroll->isHidden() ? 0 : m_scroll->value();
    const Group& g = m_groups[s.group];
    if (s.entry < 0)
        return g.header.translated(0, -sy);
    if (s.entry >= int(g.entries.size()))
        return {};
    return g.entries[s.entry].rect.translated(0, -sy);
}

TExBar::Spot TExBar::spotAt(const QPoint& pos) const
{
    ensureLayout();
    if (!m_scroll->isHidden() && pos.x() >= m_scroll->x())
        return {};
    const QPoint cp = pos + QPoint(0, m_scroll->isHidden() ? 0 : m_scroll->value());
    for (int gi = 0; gi < int(m_groups.size()); ++gi) {
        const Group& g = m_groups[gi];
        if (g.header.contains(cp))
            return {gi, -1};
        const QRect body(g.header.left(), g.bodyTop, g.header.width(), g.bodyShown);
        if (!body.contains(cp))
            continue;
        for (int i = 0; i < int(g.entries.size()); ++i)
            if (g.entries[i].rect.contains(cp))
                return {gi, i};
    }
    return {};
}

bool TExBar::isActive(const Spot& s) const
{
    if (!validGroup(s.group))
        return false;
    if (s.entry < 0)
        return true;
    const auto& entries = m_groups[s.group].entries;
    return s.entry < int(entries.size()) && entries[s.entry].isItem && entries[s.entry].enabled;
}

// ---------------------------------------------------------------- interaction

QList<TExBar::Spot> TExBar::focusChain() const
{
    QList<Spot> chain;
    for (int gi = 0; gi < int(m_groups.size()); ++gi) {
        chain.append({gi, -1});
        if (!m_groups[gi].expanded)
            continue;
        for (int i = 0; i < int(m_groups[gi].entries.size()); ++i)
            if (isActive({gi, i}))
                chain.append({gi, i});
    }
    return chain;
}

void TExBar::setCurrent(const Spot& s)
{
    m_current = s;
    ensureLayout();
    if (!m_scroll->isHidden() && s.isValid()) {
        const QRect r = spotRect(s);
        if (r.top() < kMargin)
            m_scroll->setValue(m_scroll->value() + r.top() - kMargin);
        else if (r.bottom() > height() - kMargin)
            m_scroll->setValue(m_scroll->value() + r.bottom() - height() + kMargin);
    }
    update();
}

void TExBar::activate(const Spot& s)
{
    if (!isActive(s))
        return;
    if (s.entry < 0) {
        toggleGroup(s.group);
        return;
    }
    const int page = m_groups[s.group].entries[s.entry].page;
    Q_EMIT itemClicked(page); // last: a slot may rebuild the bar
}

void TExBar::updateCursor()
{
    if (isActive(m_hover))
        setCursor(Qt::PointingHandCursor);
    else
        unsetCursor();
}

bool TExBar::event(QEvent* e)
{
    if (e->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(e);
        const QString tip = toolTipAt(help->pos());
        if (!tip.isEmpty()) {
            QToolTip::showText(help->globalPos(), tip, this, spotRect(spotAt(help->pos())));
        } else {
            QToolTip::hideText();
            e->ignore();
        }
        return true;
    }
    return QWidget::event(e);
}

QString TExBar::toolTipAt(const QPoint& pos) const
{
    const Spot s = spotAt(pos);
    if (!s.isValid())
        return {};
    const Group& g = m_groups[s.group];
    if (s.entry < 0) {
        // Only a header whose caption does not fit.
        const QFontMetrics fm(boldFont(font()));
        return fm.horizontalAdvance(g.caption) > g.header.width() - kHeaderTextLeft - kChevronSpace ? g.caption : QString();
    }
    const Entry& e = g.entries[s.entry];
    if (e.isItem)
        return e.hint.isEmpty() ? e.caption : e.hint;
    return e.rect.width() < kMinimumWrapWidth && fontMetrics().horizontalAdvance(e.caption) > e.rect.width() ? e.caption : QString();
}

void TExBar::mouseMoveEvent(QMouseEvent* e)
{
    const Spot s = spotAt(e->position().toPoint());
    const Spot hover = isActive(s) ? s : Spot{};
    if (!(hover == m_hover)) {
        m_hover = hover;
        update();
    }
    updateCursor();
}

void TExBar::leaveEvent(QEvent* e)
{
    m_hover = {};
    updateCursor();
    update();
    QWidget::leaveEvent(e);
}

void TExBar::mousePressEvent(QMouseEvent* e)
{
    if (e->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(e);
        return;
    }
    m_keyboardFocus = false;
    const Spot s = spotAt(e->position().toPoint());
    m_pressed = isActive(s) ? s : Spot{};
    if (m_pressed.isValid())
        m_current = m_pressed;
    update();
}

void TExBar::mouseReleaseEvent(QMouseEvent* e)
{
    if (e->button() != Qt::LeftButton) {
        QWidget::mouseReleaseEvent(e);
        return;
    }
    const Spot pressed = m_pressed;
    m_pressed = {};
    update();
    if (pressed.isValid() && spotAt(e->position().toPoint()) == pressed)
        activate(pressed);
}

void TExBar::wheelEvent(QWheelEvent* e)
{
    if (m_scroll->isHidden()) {
        e->ignore();
        return;
    }
    const int delta = e->pixelDelta().y() != 0 ? e->pixelDelta().y() : e->angleDelta().y() * m_scroll->singleStep() * 3 / 120;
    m_scroll->setValue(m_scroll->value() - delta);
    const Spot s = spotAt(e->position().toPoint());
    m_hover = isActive(s) ? s : Spot{};
    updateCursor();
    e->accept();
}

void TExBar::keyPressEvent(QKeyEvent* e)
{
    const QList<Spot> chain = focusChain();
    if (chain.isEmpty()) {
        QWidget::keyPressEvent(e);
        return;
    }
    int index = int(chain.indexOf(m_current));
    if (index < 0 && validGroup(m_current.group))
        index = int(chain.indexOf(Spot{m_current.group, -1}));
    const int last = int(chain.size()) - 1;

    switch (e->key()) {
    case Qt::Key_Up:
        index = index < 0 ? last : std::max(0, index - 1);
        break;
    case Qt::Key_Down:
        index = index < 0 ? 0 : std::min(last, index + 1);
        break;
    case Qt::Key_Home:
        index = 0;
        break;
    case Qt::Key_End:
        index = last;
        break;
    case Qt::Key_Left:
    case Qt::Key_Right: {
        if (index < 0)
            index = 0;
        const int group = chain[index].group;
        if (m_groups[group].expanded == (e->key() == Qt::Key_Left))
            toggleGroup(group);
        index = int(chain.indexOf(Spot{group, -1}));
        break;
    }
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        m_keyboardFocus = true;
        update();
        if (index >= 0)
            activate(chain[index]); // last: a slot may rebuild the bar
        return;
    default:
        QWidget::keyPressEvent(e);
        return;
    }
    m_keyboardFocus = true;
    setCurrent(chain[index]);
}

void TExBar::focusInEvent(QFocusEvent* e)
{
    if (!validGroup(m_current.group) && !m_groups.isEmpty())
        m_current = {0, -1};
    if (e->reason() == Qt::TabFocusReason || e->reason() == Qt::BacktabFocusReason)
        m_keyboardFocus = true;
    update();
    QWidget::focusInEvent(e);
}

void TExBar::focusOutEvent(QFocusEvent* e)
{
    update();
    QWidget::focusOutEvent(e);
}

void TExBar::resizeEvent(QResizeEvent* e)
{
    if (isVisible())
        m_barWidth = std::clamp(width(), int(MinimumWidth), kMaximumWidth);
    m_dirty = true;
    if (m_updateLock == 0)
        doLayout();
    QWidget::resizeEvent(e);
}

void TExBar::changeEvent(QEvent* e)
{
    if (e->type() == QEvent::FontChange || e->type() == QEvent::PaletteChange || e->type() == QEvent::StyleChange)
        changed();
    QWidget::changeEvent(e);
}

// ---------------------------------------------------------------- painting

void TExBar::paintEvent(QPaintEvent* e)
{
    ensureLayout();
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const int sy = m_scroll->isHidden() ? 0 : m_scroll->value();

    if (!m_background.isNull())
        p.drawTiledPixmap(rect(), m_background, QPoint(0, sy % std::max(1, m_background.height())));
    else
        p.fillRect(rect(), palette().color(QPalette::Window).darker(106));

    p.translate(0, -sy);
    const QRect clip = e->rect().translated(0, sy);
    for (int g = 0; g < int(m_groups.size()); ++g)
        paintGroup(p, g, clip);
}

void TExBar::paintGroup(QPainter& p, int gi, const QRect& clip)
{
    const Group& g = m_groups[gi];
    const QRect card(g.header.left(), g.header.top(), g.header.width(), g.header.height() + g.bodyShown);
    if (!card.intersects(clip))
        return;

    const QPalette& pal = palette();
    const bool skinned = !m_background.isNull();
    const QColor border = withAlpha(pal.color(QPalette::Mid), 150);

    // The body: a card under the header that grows while the group opens.
    if (g.bodyShown > 0) {
        p.setPen(QPen(border, 1));
        p.setBrush(skinned ? withAlpha(pal.color(QPalette::Base), 185) : pal.color(QPalette::Base));
        p.drawRoundedRect(QRectF(card).adjusted(0.5, 0.5, -0.5, -0.5), kRadius, kRadius);
    }

    // The header band.
    const bool highlighted = gi == m_highlighted;
    const bool hovered = m_hover == Spot{gi, -1};
    QColor band = highlighted ? pal.color(QPalette::Highlight) : mix(pal.color(QPalette::Button), pal.color(QPalette::Highlight), 0.16);
    if (hovered)
        band = band.lighter(highlighted ? 112 : 106);
    const QColor bandText = highlighted ? pal.color(QPalette::HighlightedText) : pal.color(QPalette::ButtonText);
    QLinearGradient shade(g.header.topLeft(), g.header.bottomLeft());
    shade.setColorAt(0, band.lighter(104));
    shade.setColorAt(1, band.darker(104));
    p.setPen(QPen(highlighted ? band.darker(120) : border, 1));
    p.setBrush(shade);
    p.drawRoundedRect(QRectF(g.header).adjusted(0.5, 0.5, -0.5, -0.5), kRadius, kRadius);

    const QFont headerFont = boldFont(font());
    p.setFont(headerFont);
    p.setPen(bandText);
    const QRect captionRect = g.header.adjusted(kHeaderTextLeft, 0, -kChevronSpace, 0);
    p.drawText(captionRect, Qt::AlignVCenter | Qt::AlignLeft,
               QFontMetrics(headerFont).elidedText(g.caption, Qt::ElideRight, captionRect.width()));

    // The chevron points down when the group is open, right when it is closed,
    // and turns in between while the group moves.
    p.save();
    p.translate(g.header.right() - kChevronSpace / 2 - 2, g.header.center().y() + 0.5);
    p.rotate(-90.0 * (1.0 - g.open));
    p.setPen(QPen(bandText, 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(QPolygonF({QPointF(-4, -2), QPointF(0, 2), QPointF(4, -2)}));
    p.restore();

    if (hasFocus() && m_keyboardFocus && m_current == Spot{gi, -1}) {
        p.setPen(QPen(highlighted ? bandText : pal.color(QPalette::Highlight), 1.5, Qt::DotLine));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(QRectF(g.header).adjusted(2.5, 2.5, -2.5, -2.5), kRadius - 2, kRadius - 2);
    }

    if (g.bodyShown <= 0)
        return;

    // The entries, clipped to the part of the body that is open.
    p.save();
    p.setClipRect(QRect(card.left(), g.bodyTop, card.width(), g.bodyShown).intersected(clip));
    p.setFont(font());
    const QColor highlight = pal.color(QPalette::Highlight);
    for (int i = 0; i < int(g.entries.size()); ++i) {
        const Entry& e = g.entries[i];
        if (!e.rect.intersects(clip))
            continue;
        if (!e.isItem) {
            p.setPen(e.color.isValid() ? e.color : pal.color(QPalette::ButtonText));
            if (e.rect.width() < kMinimumWrapWidth)
                p.drawText(e.rect, Qt::AlignLeft | Qt::AlignVCenter, p.fontMetrics().elidedText(e.caption, Qt::ElideRight, e.rect.width()));
            else
                p.drawText(e.rect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap, e.caption);
            continue;
        }
        const Spot s{gi, i};
        const bool pressed = m_pressed == s && m_hover == s;
        if (e.enabled && (m_hover == s || pressed)) {
            p.setPen(QPen(withAlpha(highlight, 130), 1));
            p.setBrush(withAlpha(highlight, pressed ? 90 : 40));
            p.drawRoundedRect(QRectF(e.rect).adjusted(0.5, 0.5, -0.5, -0.5), kRadius - 1, kRadius - 1);
        }
        if (hasFocus() && m_keyboardFocus && m_current == s) {
            p.setPen(QPen(highlight, 1.5, Qt::DotLine));
            p.setBrush(Qt::NoBrush);
            p.drawRoundedRect(QRectF(e.rect).adjusted(1, 1, -1, -1), kRadius - 1, kRadius - 1);
        }
        const int iconLeft = m_showCaptions ? e.rect.left() + kIconLeft : e.rect.center().x() - kIconSize / 2 + 1;
        const QRect iconRect(iconLeft, e.rect.center().y() - kIconSize / 2 + 1, kIconSize, kIconSize);
        e.icon.paint(&p, iconRect, Qt::AlignCenter, e.enabled ? QIcon::Normal : QIcon::Disabled);
        if (m_showCaptions) {
            const QRect text(e.rect.left() + kCaptionLeft, e.rect.top(), e.rect.width() - kCaptionLeft - kCaptionRight, e.rect.height());
            p.setPen(pal.color(e.enabled ? QPalette::Active : QPalette::Disabled, QPalette::Text));
            p.drawText(text, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap, e.caption);
        }
    }
    p.restore();
}
