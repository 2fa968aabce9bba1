#pragma once

class QApplication;

// Application-wide set-up: names, French translations of Qt's own texts and
// the default locale.
namespace Application {

void setUp(QApplication &app);

} // namespace Application
