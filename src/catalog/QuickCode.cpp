#include "catalog/QuickCode.h"

#include "platform/Gbk.h"

namespace moquan {

QString quickCode(const QString &name)
{
    QString code;
    code.reserve(name.size());
    for (const QChar qc : name) {
        const char16_t c = halfWidth(qc.unicode());

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
