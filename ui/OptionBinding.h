#pragma once

#include "base/Text.h"
#include "script/OptionFields.h"
#include "ui/LocalText.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QWidget>

// Moves an engine's options between its page's widgets and the options record, through the field table.
namespace ferrowind {

// Texts are trimmed on the way out, as every value taken from an edit field is.
template <class Options> Options readOptions(const QWidget& page, const OptionFields<Options>& fields)
{
    Options options;
    for (const TextField<Options>& field : fields.texts)
        options.*field.member = base::trim(toLocal(page.findChild<QLineEdit*>(field.objectName)->text()));
    for (const FlagField<Options>& field : fields.flags)
        options.*field.member = page.findChild<QCheckBox*>(field.objectName)->isChecked();
    return options;
}

template <class Options> void showOptions(QWidget& page, const OptionFields<Options>& fields, const Options& options)
{
    for (const TextField<Options>& field : fields.texts)
        page.findChild<QLineEdit*>(field.objectName)->setText(fromLocal(options.*field.member));
    for (const FlagField<Options>& field : fields.flags)
        page.findChild<QCheckBox*>(field.objectName)->setChecked(options.*field.member);
}

} // namespace ferrowind
