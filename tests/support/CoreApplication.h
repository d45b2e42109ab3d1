#pragma once

// Makes the process's QCoreApplication if there is none yet: QSerialPort needs
// one for its notifiers. It lives until the process ends.
void EnsureCoreApplication();
