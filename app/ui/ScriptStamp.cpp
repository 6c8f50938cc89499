#include "app/ui/ScriptStamp.h"

#include "app/ProgramInfo.h"

#include <QDateTime>
#include <QLocale>

namespace {
// The locale's long time format names the time zone as well; the stamp wants the clock time only.
QString TimeFormatWithSeconds(const QLocale& locale)
{
    QString format = locale.timeFormat(QLocale::LongFormat);
    format.remove('t');
    format = format.trimmed();
    if (!format.contains('s'))
        format = "HH:mm:ss";
    return format;
}
}

ScriptOrigin CurrentScriptOrigin()
{
    const QLocale locale = QLocale::system();
    const QDateTime now = QDateTime::currentDateTime();
    return {locale.toString(now.date(), QLocale::ShortFormat).toLocal8Bit().toStdString(),
            locale.toString(now.time(), TimeFormatWithSeconds(locale)).toLocal8Bit().toStdString(), kContactAddress};
}
