#include "core/uLocalize.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QDomDocument>
#include <QGroupBox>
#include <QHeaderView>
#include <QMetaProperty>
#include <QTableWidget>
#include <QTreeWidget>
#include <QWidget>

namespace {

// Sets a text property by its name; false when the object has no such writable property.
bool setTextProperty(QObject* target, const QString& name, const QString& value, bool isWindow)
{
    QByteArray prop;
    if (name.compare(QLatin1String("Caption"), Qt::CaseInsensitive) == 0) {
        if (isWindow)
            prop = "windowTitle";
        else if (qobject_cast<QGroupBox*>(target))
            prop = "title";
        else
            prop = "text";
    } else if (name.compare(QLatin1String("Hint"), Qt::CaseInsensitive) == 0) {
        prop = "toolTip";
    } else {
        prop = name.toLatin1();
        prop[0] = static_cast<char>(QChar::toLower(static_cast<char32_t>(prop[0])));
    }
    const QMetaObject* mo = target->metaObject();
    const int index = mo->indexOfProperty(prop.constData());
    if (index < 0)
        return false;
    const QMetaProperty p = mo->property(index);
    if (!p.isWritable() || p.metaType().id() != QMetaType::QString)
        return false;
    return p.write(target, value);
}

void applyAttributes(const QDomElement& e, QObject* target, bool isWindow)
{
    const QDomNamedNodeMap attrs = e.attributes();
    for (int i = 0; i < attrs.count(); ++i) {
        const QDomAttr a = attrs.item(i).toAttr();
        setTextProperty(target, a.name(), a.value(), isWindow);
    }
}

QStringList childValues(const QDomElement& e)
{
    QStringList values;
    for (QDomElement c = e.firstChildElement(); !c.isNull(); c = c.nextSiblingElement())
        values << c.attribute(QStringLiteral("value"));
    return values;
}

void applyColumns(QObject* control, const QStringList& captions)
{
    if (auto* tree = qobject_cast<QTreeWidget*>(control)) {
        QTreeWidgetItem* header = tree->headerItem();
        for (int i = 0; i < captions.size() && i < header->columnCount(); ++i)
            header->setText(i, captions[i]);
        return;
    }
    if (auto* table = qobject_cast<QTableWidget*>(control)) {
        for (int i = 0; i < captions.size() && i < table->columnCount(); ++i) {
            if (QTableWidgetItem* item = table->horizontalHeaderItem(i))
                item->setText(captions[i]);
            else
                table->setHorizontalHeaderItem(i, new QTableWidgetItem(captions[i]));
        }
        return;
    }
    if (auto* view = qobject_cast<QAbstractItemView*>(control)) {
        QAbstractItemModel* model = view->model();
        if (!model)
            return;
        for (int i = 0; i < captions.size() && i < model->columnCount(); ++i)
            model->setHeaderData(i, Qt::Horizontal, captions[i]);
    }
}

} // namespace

void ApplyLocaleDocument(const QDomDocument& locale, QWidget* window)
{
    if (!window || window->objectName().isEmpty())
        return;
    const QDomElement forms = locale.documentElement().firstChildElement(QStringLiteral("forms"));
    const QDomElement form = forms.firstChildElement(window->objectName());
    if (form.isNull())
        return;
    applyAttributes(form, window, true);
    for (QDomElement c = form.firstChildElement(); !c.isNull(); c = c.nextSiblingElement()) {
        QObject* control = window->findChild<QObject*>(c.tagName());
        if (!control)
            continue;
        applyAttributes(c, control, false);
        if (!c.hasChildNodes())
            continue;
        if (auto* combo = qobject_cast<QComboBox*>(control)) {
            combo->clear();
            combo->addItems(childValues(c));
        } else {
            applyColumns(control, childValues(c));
        }
    }
}
