#pragma once

#include <QString>

#include <optional>

// The account passwords in the desktop's keyring (Secret Service, KWallet)
// through QtKeychain, under the service "Tivarel" and the key
// "utilisateur@serveur". Where no keyring service runs, nothing is stored
// and *why says so: the password is then asked for at each synchronisation.
namespace Keyring {

QString keyFor(const QString &server, const QString &user);
std::optional<QString> read(const QString &key, QString *why);
bool write(const QString &key, const QString &password, QString *why);

} // namespace Keyring
