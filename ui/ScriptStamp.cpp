#include "ui/ScriptStamp.h"

#include "config/ProgramInfo.h"
#include "ui/LocalText.h"

#include <QDateTime>
#include <QLocale>

namespace ferrowind {

namespace {
// The locale's long time format names the time zone as well; the stamp wants the clock time only.
QString timeFormatWithSeconds(const QLocale& locale)
{
    QString format = locale.timeFormat(QLocale::LongFormat);
    format.remove('t');
    format = format.trimmed();
    if (!format.contains('s'))
        format = "HH:mm:ss";
    return format;
}
} // namespace

ScriptOrigin currentScriptOrigin()
{
    const QLocale locale = QLocale::system();
    const QDateTime now = QDateTime::currentDateTime();
    return {toLocal(locale.toString(now.date(), QLocale::ShortFormat)),
        toLocal(locale.toString(now.time(), timeFormatWithSeconds(locale))), kContactAddress};
}

} // namespace ferrowind
