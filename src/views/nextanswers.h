#pragma once
// Tests answer a chooser's next exec() instead of a person. Answers queue up per
// dialog type; each exec() takes the first and runs it in place of the event loop.

#include <QList>
#include <functional>

template <typename Dialog> class NextAnswers
{
public:
    using Answer = std::function<void(Dialog &)>;

    static void add(Answer answer)
    {
        queue().append(std::move(answer));
    }
    static int pending()
    {
        return queue().size();
    }
    static void clear()
    {
        queue().clear();
    }
    // Runs the first queued answer on the dialog; false when none is queued.
    static bool runNext(Dialog &dialog)
    {
        if (queue().isEmpty())
            return false;
        const Answer answer = queue().takeFirst();
        if (answer)
            answer(dialog);
        return true;
    }

private:
    static QList<Answer> &queue()
    {
        static QList<Answer> answers;
        return answers;
    }
};
