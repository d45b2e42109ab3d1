#pragma once

class QLineEdit;

// The box accepts digits only, typed or pasted.
void SetNumericOnly(QLineEdit* box);
