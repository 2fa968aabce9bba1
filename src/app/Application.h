#pragma once

#include <QStringList>

class QApplication;

// Application-wide set-up: names, French translations of Qt's own texts and
// the default locale.
namespace Application {

void setUp(QApplication &app);

// The document named on the command line ("tivarel agenda.orz", or a
// file:// address from a file manager) as an absolute path, resolved
// against the folder the program was started from; empty when none.
QString commandLineDocument(const QStringList &arguments);

} // namespace Application
