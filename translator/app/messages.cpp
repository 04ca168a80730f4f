#include "messages.h"

#include <cstdio>
#include <cstdlib>

const char kErrorBoxCaption[] = "ERROR";
const char kInfoBoxCaption[] = "Message from Lexon 1.0";

void StderrMessagePresenter::ShowError(const std::string& text)
{
    std::fprintf(stderr, "%s: %s\n", kErrorBoxCaption, text.c_str());
    std::fflush(stderr);
}

void StderrMessagePresenter::ShowInfo(const std::string& text)
{
    std::fprintf(stderr, "%s\n", text.c_str());
    std::fflush(stderr);
}

void StderrMessagePresenter::FatalStop(int exit_code)
{
    std::fflush(stdout);
    std::exit(exit_code);
}

namespace {
StderrMessagePresenter g_stderr_presenter;
MessagePresenter* g_presenter = &g_stderr_presenter;
}

MessagePresenter* SetMessagePresenter(MessagePresenter* presenter)
{
    MessagePresenter* previous = g_presenter;
    g_presenter = presenter ? presenter : &g_stderr_presenter;
    return previous;
}

MessagePresenter& CurrentMessagePresenter()
{
    return *g_presenter;
}

void ShowErrorBox(const char* text)
{
    g_presenter->ShowError(text ? text : "");
}

void ShowInfoBox(const char* text)
{
    g_presenter->ShowInfo(text ? text : "");
}

void FatalStop()
{
    g_presenter->FatalStop(kFatalExitCode);
    std::abort();  // a presenter's FatalStop never returns
}
