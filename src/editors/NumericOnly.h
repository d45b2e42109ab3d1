#pragma once

class QLineEdit;

// The box accepts digits only, typed or pasted; a paste's line breaks are dropped.
void SetNumericOnly(QLineEdit* box);
