#include "platform/Gbk.h"

#include <QList>
#include <cerrno>
#include <cstring>
#include <iconv.h>

namespace moquan {

static QByteArray convert(const char *to, const char *from, const QByteArray &in, int skipUnit)
{
    QByteArray out;
    iconv_t cd = iconv_open(to, from);
    if (cd == iconv_t(-1))
        return out;
    out.resize(in.size() * 2 + 16);
    char *inPtr = const_cast<char *>(in.constData());
    size_t inLeft = size_t(in.size());
    char *outPtr = out.data();
    size_t outLeft = size_t(out.size());
    while (inLeft > 0) {
        const size_t rc = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
        if (rc != size_t(-1))
            break;
        if (errno == E2BIG) {
            const qsizetype used = outPtr - out.data();
            out.resize(out.size() * 2);
            outPtr = out.data() + used;
            outLeft = size_t(out.size() - used);
        } else {
            // EILSEQ or EINVAL: skip one unit of input and go on.
            const size_t skip = qMin<size_t>(size_t(skipUnit), inLeft);
            inPtr += skip;
            inLeft -= skip;
        }
    }
    out.resize(outPtr - out.data());
    iconv_close(cd);
    return out;
}

QByteArray toGbk(const QString &text)
{
    // UTF-32 input so that an unconvertible character is skipped whole.
    QByteArray utf32;
    const QList<uint> ucs4 = text.toUcs4();
    utf32.resize(ucs4.size() * 4);
    memcpy(utf32.data(), ucs4.constData(), size_t(utf32.size()));
    return convert("GBK", "UTF-32LE", utf32, 4);
}

QString fromGbk(const QByteArray &bytes)
{
    return QString::fromUtf8(convert("UTF-8", "GBK", bytes, 1));
}

} // namespace moquan
