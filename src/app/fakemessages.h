#pragma once
#include "app/messages.h"

#include <QList>
#include <deque>

namespace minasel {

// Records every box and answers from a script; with the script empty it answers
// the box's default button. Used wherever no real dialog may appear.
class FakeMessages : public Messages {
public:
    struct Entry {
        Icon icon;
        QString title;
        QString text;
        Buttons buttons;
    };

    Answer show(Icon icon, const QString& title, const QString& text, Buttons buttons,
                Answer defaultAnswer) override
    {
        m_entries.append({icon, title, text, buttons});
        if (!m_script.empty()) {
            const Answer a = m_script.front();
            m_script.pop_front();
            return a;
        }
        return defaultAnswer;
    }

    void answerNext(Answer a) { m_script.push_back(a); }
    const QList<Entry>& entries() const { return m_entries; }
    bool empty() const { return m_entries.isEmpty(); }
    const Entry& last() const { return m_entries.last(); }
    QString lastText() const { return m_entries.isEmpty() ? QString() : m_entries.last().text; }
    void clear() { m_entries.clear(); m_script.clear(); }

private:
    QList<Entry> m_entries;
    std::deque<Answer> m_script;
};

} // namespace minasel
