#pragma once

#include <QString>

// The controller link's messages, held once for every test that reads them:
// the texts alone, and as the messages' texts with their titles read.
inline const QString RefusalText = "There has been an error. The Tarvex returned -    ";
inline const QString NoAnswerText =
    "Zarn is unable to communicate with the Tarvex. Check your connections then try again";

inline const QString RefusalMessage = "Tarvex Programmer: " + RefusalText;
inline const QString TimeoutMessage = "Tarvex Programmer: " + NoAnswerText;
inline const QString GiveUpMessage = "Error!: Too Many Errors. Please check your serial connection and try again";
