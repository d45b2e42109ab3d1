#include "platform/SingleLine.h"

#include <QLineEdit>
#include <QRegularExpressionValidator>

namespace {

bool BreaksLine(QChar c)
{
    switch (c.category()) {
    case QChar::Other_Control:
    case QChar::Separator_Line:
    case QChar::Separator_Paragraph: return true;
    default: return false;
    }
}

// An empty pattern takes any text.
class SingleLineValidator final : public QRegularExpressionValidator {
public:
    using QRegularExpressionValidator::QRegularExpressionValidator;

    State validate(QString& input, int& pos) const override
    {
        QString kept;
        kept.reserve(input.size());
        int caret = pos;
        for (qsizetype n = 0; n < input.size(); ++n) {
            if (!BreaksLine(input[n]))
                kept += input[n];
            else if (n < pos)
                --caret;
        }
        input = kept;
        pos = caret;
        return QRegularExpressionValidator::validate(input, pos);
    }
};

} // namespace

void KeepSingleLine(QLineEdit* box, const QString& pattern)
{
    box->setValidator(new SingleLineValidator(QRegularExpression(pattern), box));
}
