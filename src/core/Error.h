#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace drawmentor {

// The one error type of the program. Every computing step that catches an error
// prepends its own context line (AddErrorContext), so the final message reads
// from the outermost step to the innermost, then the text that started it.
class EDrawMentor : public std::exception {
  public:
    explicit EDrawMentor(std::string message);

    const char* what() const noexcept override { return FMessage.c_str(); }
    const std::string& Message() const noexcept { return FMessage; }
    void PrependContext(std::string_view line);
    // Return addresses at the moment the error was raised, innermost first,
    // when the program installed a way to capture them (empty otherwise).
    const std::vector<const void*>& Trace() const noexcept { return FTrace; }

  private:
    std::string FMessage;
    std::vector<const void*> FTrace;
};

// Installed by the program (the platform's stack walk); plain C++ knows none.
using TTraceCapture = std::vector<const void*> (*)();
void SetTraceCapture(TTraceCapture capture);

// A table index or a value outside its valid range.
class ERangeError : public EDrawMentor {
  public:
    using EDrawMentor::EDrawMentor;
};

// An integer result that does not fit its type: a count must never wrap.
class EOverflowError : public EDrawMentor {
  public:
    using EDrawMentor::EDrawMentor;
};

inline constexpr std::string_view kContextSeparator = "\n";

// Call only inside a catch block: adds `context` in front of the message of the
// exception being handled and rethrows it. Foreign exceptions are turned into
// EDrawMentor so that later steps can keep prepending.
[[noreturn]] void AddErrorContext(std::string_view context);

} // namespace drawmentor
