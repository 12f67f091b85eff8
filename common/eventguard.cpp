#include "eventguard.h"

#include <QtGlobal>

namespace common {

namespace {

FaultSink &programSink()
{
    static FaultSink sink;
    return sink;
}

} // namespace

void setFaultSink(FaultSink sink)
{
    programSink() = std::move(sink);
}

void runGuarded(const std::function<void()> &handler, const FaultSink &sink)
{
    const FaultSink &answer = sink ? sink : programSink();
    try {
        handler();
    } catch (const Fault &fault) {
        if (answer)
            answer(fault);
        else
            qWarning("Unanswered fault: %s", fault.what());
    } catch (const std::exception &error) {
        const Fault fault(error.what());
        if (answer)
            answer(fault);
        else
            qWarning("Unanswered fault: %s", fault.what());
    }
}

} // namespace common
