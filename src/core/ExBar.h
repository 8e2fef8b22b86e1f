#pragma once

#include <QColor>
#include <QIcon>
#include <QList>
#include <QPixmap>
#include <QString>
#include <QWidget>

class QScrollBar;
class QTimer;

// The navigation bar on the left of the main window: a painted, vertical
// column of groups. A group has a header band and a body with items (a 32x32
// icon, a caption, a hint shown as tool tip, a page number) and text lines in
// a colour of their own. Clicking a header opens or closes its group, clicking
// an item emits itemClicked() with its page. The bar scrolls when its groups
// are taller than the widget and is driven from the keyboard as well: Up/Down
// walk over headers and items, Enter/Space activates, Left/Right close and
// open the current group, Home/End jump to the ends.
//
// Groups and items are numbered from 0 in the order they were added; an item
// index counts only the items of its group, not its text lines. Calls with an
// index out of range do nothing.
class TExBar : public QWidget
{
    Q_OBJECT

public:
    static constexpr int DefaultWidth = 170;
    static constexpr int MinimumWidth = 56;
    static constexpr int AnimationInterval = 30; // ms per step of opening or closing

    explicit TExBar(QWidget* parent = nullptr);
    ~TExBar() override;

    // Building. `key` names the group's registry value ("moduly"); it may be empty.
    int addGroup(const QString& caption, const QString& key);
    int addItem(int group, const QString& caption, const QString& hint, const QIcon& icon, int page);
    // A text line; an invalid colour means the palette's button text.
    void addText(int group, const QString& text, const QColor& color = QColor());
    // Removes the text lines of a group; its items and its open state stay.
    void clearTexts(int group);
    // Removes every group.
    void clear();
    // Brackets a rebuild so that the bar is laid out and repainted once, at the
    // outermost endUpdate().
    void beginUpdate();
    void endUpdate();

    int groupCount() const;
    int itemCount(int group) const;
    int textCount(int group) const;
    QString groupCaption(int group) const;
    QString groupKey(int group) const;
    QString text(int group, int line) const;

    // A disabled item is drawn greyed, shows its tool tip and cannot be
    // activated. Applies to every item with the page.
    void setPageEnabled(int page, bool enabled);
    bool isPageEnabled(int page) const; // false when no item has the page

    // One group may be drawn highlighted; -1 for none.
    void setHighlighted(int group);
    int highlighted() const;

    // Opens or closes at once, without animation.
    void setExpanded(int group, bool expanded);
    bool isExpanded(int group) const; // the state the group is in or moving to
    // Opens or closes like a click on the header: animated when animation is on.
    void toggleGroup(int group);

    void setAnimated(bool animated);
    bool isAnimated() const;
    // Without captions the items show only their icons; hints stay as tool tips.
    void setShowCaptions(bool show);
    bool showCaptions() const;
    // A picture tiled behind the bar and its groups; a null pixmap for none.
    void setBackground(const QPixmap& picture);
    QPixmap background() const;

    // The width the bar wants (its size hint); follows the widget's width
    // while it is shown, so that a splitter's moves are kept.
    void setBarWidth(int width);
    int barWidth() const;

    // The state under regKey + "\ExBar": one boolean per group key (open,
    // default true), "width" (170), "animace" (true), "popisky" (true) and
    // "skin" (empty), the name of a picture in dataDir + "skin/".
    void loadState(const QString& regKey, const QString& dataDir);
    // Writes the open state of every group with a key, and "width".
    void saveState(const QString& regKey) const;
    // The skin picture `name` (".bmp", else ".png") in dataDir + "skin/"; empty
    // when the name is empty, is not a plain file name, or no such file exists.
    static QString skinFile(const QString& dataDir, const QString& name);

    // Where a header or an item is, in widget coordinates. An item's rectangle
    // is null while its group is not fully open.
    QRect headerRect(int group) const;
    QRect itemRect(int group, int item) const;
    // The tool tip at a point: an item's hint (its caption when it has no
    // hint), or a header caption or a text line that is cut short.
    QString toolTipAt(const QPoint& pos) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

Q_SIGNALS:
    // An item was clicked or activated from the keyboard. Emitted last in the
    // handler, so a slot may rebuild the bar.
    void itemClicked(int page);

protected:
    bool event(QEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void changeEvent(QEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void leaveEvent(QEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;

private:
    struct Entry
    {
        bool isItem = true;
        QString caption; // the text of a text line
        QString hint;
        QIcon icon;
        int page = -1;
        QColor color;
        bool enabled = true;
        QRect rect; // in content coordinates
    };
    struct Group
    {
        QString caption;
        QString key;
        QList<Entry> entries;
        bool expanded = true;
        qreal open = 1.0; // 0 closed .. 1 open; between while animating
        QRect header;     // in content coordinates
        int bodyTop = 0;
        int bodyFull = 0;
        int bodyShown = 0;
    };
    // A place in the bar: a header (entry -1) or an entry of a group.
    struct Spot
    {
        int group = -1;
        int entry = -1;
        bool operator==(const Spot&) const = default;
        bool isValid() const { return group >= 0; }
    };

    bool validGroup(int group) const;
    int entryOfItem(int group, int item) const;
    void changed();
    void ensureLayout() const;
    void doLayout();
    int layoutGroups(int width);
    void animateStep();
    Spot spotAt(const QPoint& pos) const;
    bool isActive(const Spot& s) const;
    QRect spotRect(const Spot& s) const; // widget coordinates
    QList<Spot> focusChain() const;
    void setCurrent(const Spot& s);
    void activate(const Spot& s);
    void updateCursor();
    void paintGroup(QPainter& p, int g, const QRect& clip);

    QList<Group> m_groups;
    int m_highlighted = -1;
    bool m_animated = true;
    bool m_showCaptions = true;
    QPixmap m_background;
    int m_barWidth = DefaultWidth;
    int m_updateLock = 0;
    bool m_dirty = true;
    int m_contentHeight = 0;
    Spot m_hover;
    Spot m_pressed;
    Spot m_current;
    bool m_keyboardFocus = false;
    QTimer* m_timer = nullptr;
    QScrollBar* m_scroll = nullptr;
};
