#pragma once

// Prepares the process for the embedded web engine. Call before the application
// object is created.
namespace WebEngineEnvironment {

// Chromium refuses to start its sandboxed helpers as root; only then is the sandbox
// switched off. Also shares OpenGL contexts between windows, which the engine needs.
void prepare();

} // namespace WebEngineEnvironment
