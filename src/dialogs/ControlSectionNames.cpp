#include "dialogs/ControlSectionNames.h"

#include "app/DefaultControlTexts.h"
#include "app/gui/ControlBinding.h"

#include <QWidget>

namespace tavrelo {

namespace {

const DefaultControlText* RowOf(const std::string& key)
{
    for (const DefaultControlText& row : DefaultControlTexts())
        if (key == row.key)
            return &row;
    return nullptr;
}

QWidget* WidgetOf(QWidget* dialog, const std::string& key, const SectionNames& names)
{
    if (key == names.windowKey)
        return dialog;
    if (key.rfind(names.prefix, 0) != 0)
        return nullptr;
    const QString name = QString::fromLatin1(key.substr(names.prefix.size()).c_str());
    for (QWidget* child : dialog->findChildren<QWidget*>())
        if (child->objectName().compare(name, Qt::CaseInsensitive) == 0)
            return child;
    return nullptr;
}

} // namespace

void AddSectionsByName(DialogTexts& texts, QWidget* dialog, const SectionNames& names)
{
    for (const std::string& key : names.keys) {
        const DefaultControlText* row = RowOf(key);
        if (QWidget* widget = WidgetOf(dialog, key, names); row && widget)
            texts.add(widget, key, row->kind);
    }
}

void ApplyBuiltInTexts(QWidget* dialog, const SectionNames& names)
{
    for (const std::string& key : names.keys) {
        const DefaultControlText* row = RowOf(key);
        if (QWidget* widget = WidgetOf(dialog, key, names); row && widget)
            ApplyControlText(widget, row->kind, ToControlText(*row));
    }
}

} // namespace tavrelo
