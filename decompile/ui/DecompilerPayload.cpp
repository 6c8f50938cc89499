#include "decompile/ui/DecompilerPayload.h"

#ifdef _WIN32
#include "platform/win32/Win32Resource.h"
#else
#include <QFile>
#endif

namespace ferrowind {

std::string embeddedDecompiler()
{
#ifdef _WIN32
    return std::string(programResource("DECOM", ResourceType::Data));
#else
    QFile payload(QStringLiteral(":/decompiler/DECOM"));
    if (!payload.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = payload.readAll();
    return bytes.toStdString();
#endif
}

} // namespace ferrowind
