#include "decompile/ui/DecompilerPayload.h"

#include <QFile>

namespace ferrowind {

std::string embeddedDecompiler()
{
    QFile payload(QStringLiteral(":/decompiler/DECOM"));
    if (!payload.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = payload.readAll();
    return bytes.toStdString();
}

} // namespace ferrowind
