#include "catalog/QuickCode.h"

namespace moquan {

QString quickCode(const QString &name)
{
    QString code;
    code.reserve(name.size());
    for (const QChar qc : name) {
        char16_t c = qc.unicode();
        if (c >= 0xFF01 && c <= 0xFF5E)
            c = char16_t(c - 0xFEE0);
        else if (c == 0x3000)
            c = u' ';

        if (c < 0x80) {
            code += (c >= u'a' && c <= u'z') ? QChar(char16_t(c - u'a' + u'A')) : QChar(c);
        } else if (!QChar::isSurrogate(c)) { // GB2312 lies wholly in the BMP
            const QChar initial = pinyinInitial(c);
            if (!initial.isNull())
                code += initial;
        }
    }
    return code;
}

} // namespace moquan
