#pragma once
#include <QByteArray>
#include <QString>

namespace moquan {

// GBK bytes of a text and back (glibc's iconv).  Characters GBK lacks are
// dropped on the way in; undecodable bytes are skipped on the way out.
QByteArray toGbk(const QString &text);
QString fromGbk(const QByteArray &bytes);

} // namespace moquan
