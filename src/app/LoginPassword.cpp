#include "app/LoginPassword.h"

#include "platform/Gbk.h"

#include <array>

namespace moquan {

static QByteArray rc4(const QByteArray &input)
{
    static const QByteArray key("205837146920583714");
    std::array<unsigned char, 256> s;
    for (int i = 0; i < 256; ++i)
        s[size_t(i)] = static_cast<unsigned char>(i);
    int j = 0;
    for (int i = 0; i < 256; ++i) {
        j = (j + s[size_t(i)] + static_cast<unsigned char>(key[i % key.size()])) & 0xFF;
        std::swap(s[size_t(i)], s[size_t(j)]);
    }
    QByteArray out(input.size(), '\0');
    int a = 0, b = 0;
    for (qsizetype n = 0; n < input.size(); ++n) {
        a = (a + 1) & 0xFF;
        b = (b + s[size_t(a)]) & 0xFF;
        std::swap(s[size_t(a)], s[size_t(b)]);
        const unsigned char k = s[size_t((s[size_t(a)] + s[size_t(b)]) & 0xFF)];
        out[n] = char(static_cast<unsigned char>(input[n]) ^ k);
    }
    return out;
}

QString ScramblePassword(const QString &password)
{
    if (password.isEmpty())
        return QString();
    return QString::fromLatin1(rc4(toGbk(password)).toHex().toUpper());
}

QString UnscramblePassword(const QString &scrambled)
{
    if (scrambled.isEmpty())
        return QString();
    QByteArray bytes;
    const QString text = scrambled.left(scrambled.size() / 2 * 2);
    for (qsizetype i = 0; i + 1 < text.size(); i += 2) {
        bool ok = false;
        const int v = text.mid(i, 2).toInt(&ok, 16);
        bytes.append(char(ok ? v : 0));
    }
    return fromGbk(rc4(bytes));
}

} // namespace moquan
