#include "ui/LocalText.h"

#include <QDir>

namespace ferrowind {

std::string toLocal(const QString& text) { return text.toLocal8Bit().toStdString(); }

QString fromLocal(const std::string& text) { return QString::fromLocal8Bit(text); }

std::string toLocalPath(const QString& path) { return toLocal(QDir::toNativeSeparators(path)); }

} // namespace ferrowind
