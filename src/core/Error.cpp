#include "Error.h"

#include <new>

namespace drawmentor {
namespace {

TTraceCapture gCapture = nullptr;

} // namespace

void SetTraceCapture(TTraceCapture capture) {
    gCapture = capture;
}

EDrawMentor::EDrawMentor(std::string message) : FMessage(std::move(message)) {
    if (gCapture) FTrace = gCapture();
}

void EDrawMentor::PrependContext(std::string_view line) {
    std::string text;
    text.reserve(line.size() + kContextSeparator.size() + FMessage.size());
    text.append(line).append(kContextSeparator).append(FMessage);
    FMessage = std::move(text);
}

void AddErrorContext(std::string_view context) {
    try {
        throw;
    } catch (EDrawMentor& error) {
        error.PrependContext(context);
        throw;
    } catch (const std::bad_alloc&) {
        throw; // building a longer message would only fail again
    } catch (const std::exception& error) {
        EDrawMentor wrapped{error.what()};
        wrapped.PrependContext(context);
        throw wrapped;
    } catch (...) {
        EDrawMentor wrapped{"Unknown error"};
        wrapped.PrependContext(context);
        throw wrapped;
    }
}

} // namespace drawmentor
