#pragma once
#include <QString>

namespace minasel {

// The three kinds of box the program shows. Screens never create dialogs for
// messages themselves, so tests can replace the boxes with a recorder.
class Messages {
public:
    enum class Icon { Information, Exclamation, Question, Critical };
    enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };
    enum class Answer { Ok, Cancel, Yes, No };

    static QString defaultTitle() { return QStringLiteral("ミナセル"); }

    virtual ~Messages() = default;
    virtual Answer show(Icon icon, const QString& title, const QString& text,
                        Buttons buttons = Buttons::Ok, Answer defaultAnswer = Answer::Ok) = 0;

    void information(const QString& text, const QString& title = defaultTitle())
    {
        show(Icon::Information, title, text);
    }
    void exclamation(const QString& text, const QString& title = defaultTitle())
    {
        show(Icon::Exclamation, title, text);
    }
    Answer question(const QString& text, Buttons buttons = Buttons::YesNo,
                    Answer defaultAnswer = Answer::Yes, const QString& title = defaultTitle())
    {
        return show(Icon::Question, title, text, buttons, defaultAnswer);
    }
};

} // namespace minasel
