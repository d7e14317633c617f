#pragma once
#include <QByteArray>
#include <QString>

namespace moquan {

// GBK bytes of a text and back (glibc's iconv).  Characters GBK lacks are
// dropped on the way in; undecodable bytes are skipped on the way out.
QByteArray toGbk(const QString &text);
QString fromGbk(const QByteArray &bytes);

// A full-width form (U+FF01..U+FF5E) as its ASCII character, the ideographic
// space as a blank; anything else unchanged.
constexpr char16_t halfWidth(char16_t c)
{
    if (c >= 0xFF01 && c <= 0xFF5E)
        return char16_t(c - 0xFEE0);
    if (c == 0x3000)
        return u' ';
    return c;
}

} // namespace moquan
