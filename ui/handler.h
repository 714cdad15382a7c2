#pragma once

#include <exception>
#include <functional>
#include <utility>

#include "base/user_error.h"
#include "ui/prompts.h"

namespace zorbel {

// Runs one event handler. An error that ends it is shown with "." appended
// in an error box titled "Zorbel", and the program goes on: no exception
// ever reaches Qt's event loop.
template <class Fn>
void runHandler(Prompts& prompts, Fn&& handler) {
    QString text;
    try {
        std::forward<Fn>(handler)();
        return;
    } catch (const UserError& e) {
        text = QString::fromStdString(e.what());
    } catch (const std::exception& e) {
        text = QString::fromStdString(e.what());
    }
    prompts.message(MessageStyle::Error, kAppTitle, text + QLatin1Char('.'));
}

// A slot that runs `handler` through runHandler.
template <class Fn>
auto guarded(Prompts& prompts, Fn handler) {
    return [&prompts, handler = std::move(handler)](auto&&...) { runHandler(prompts, handler); };
}

}  // namespace zorbel
