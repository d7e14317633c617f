#include "platform/ProtectedFile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <sodium.h>

namespace moquan {

namespace {

const QByteArray kMagic("MQSF\x01", 5);

bool sodiumReady()
{
    static const bool ok = sodium_init() >= 0;
    return ok;
}

QByteArray keyFor(const QString &password)
{
    // The password ships inside the program, so a slow key derivation buys
    // nothing; a keyed hash with a fixed context is enough.
    static const QByteArray context("moquan settings file v1");
    const QByteArray pw = password.toUtf8();
    QByteArray key(crypto_secretbox_KEYBYTES, '\0');
    crypto_generichash(reinterpret_cast<unsigned char *>(key.data()), size_t(key.size()),
                       reinterpret_cast<const unsigned char *>(pw.constData()), size_t(pw.size()),
                       reinterpret_cast<const unsigned char *>(context.constData()),
                       size_t(context.size()));
    return key;
}

} // namespace

ProtectedRead readProtectedFile(const QString &path, const QString &password, QByteArray *plain)
{
    plain->clear();
    if (!QFileInfo::exists(path))
        return ProtectedRead::Missing;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return ProtectedRead::Unreadable;
    const QByteArray data = f.readAll();
    if (!sodiumReady())
        return ProtectedRead::Unreadable;
    const qsizetype header = kMagic.size() + crypto_secretbox_NONCEBYTES;
    if (data.size() < header + qsizetype(crypto_secretbox_MACBYTES) || !data.startsWith(kMagic))
        return ProtectedRead::Corrupt;
    const QByteArray key = keyFor(password);
    const auto *nonce = reinterpret_cast<const unsigned char *>(data.constData() + kMagic.size());
    const auto *cipher = reinterpret_cast<const unsigned char *>(data.constData() + header);
    const qsizetype cipherLen = data.size() - header;
    QByteArray out(cipherLen - crypto_secretbox_MACBYTES, '\0');
    if (crypto_secretbox_open_easy(reinterpret_cast<unsigned char *>(out.data()), cipher,
                                   size_t(cipherLen), nonce,
                                   reinterpret_cast<const unsigned char *>(key.constData()))
        != 0)
        return ProtectedRead::Corrupt;
    *plain = out;
    return ProtectedRead::Ok;
}

bool writeProtectedFile(const QString &path, const QString &password, const QByteArray &plain)
{
    if (!sodiumReady())
        return false;
    const QByteArray key = keyFor(password);
    QByteArray data = kMagic;
    QByteArray nonce(crypto_secretbox_NONCEBYTES, '\0');
    randombytes_buf(nonce.data(), size_t(nonce.size()));
    data += nonce;
    QByteArray cipher(plain.size() + crypto_secretbox_MACBYTES, '\0');
    crypto_secretbox_easy(reinterpret_cast<unsigned char *>(cipher.data()),
                          reinterpret_cast<const unsigned char *>(plain.constData()),
                          size_t(plain.size()),
                          reinterpret_cast<const unsigned char *>(nonce.constData()),
                          reinterpret_cast<const unsigned char *>(key.constData()));
    data += cipher;
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    if (f.write(data) != data.size()) {
        f.cancelWriting();
        return false;
    }
    return f.commit();
}

} // namespace moquan
