#pragma once
// A small file stored enciphered under a password, so that it cannot be read
// as plain text: libsodium's secretbox (XSalsa20-Poly1305) under a key hashed
// from the password, a fresh nonce on every write, written atomically.
#include <QByteArray>
#include <QString>
#include <optional>

namespace moquan {

enum class ProtectedRead { Ok, Missing, Unreadable, Corrupt };

// Reads and deciphers the whole file.
ProtectedRead readProtectedFile(const QString &path, const QString &password, QByteArray *plain);
// Enciphers and writes the whole file (through a temporary file and a rename).
bool writeProtectedFile(const QString &path, const QString &password, const QByteArray &plain);

} // namespace moquan
