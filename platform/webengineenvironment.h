#pragma once

// Prepares the process for the embedded web engine. Call before the application
// object is created.
namespace WebEngineEnvironment {

// The scheme of the pages built into the programs (quillet://help/ and the like).
inline constexpr char BuiltInScheme[] = "quillet";

// Chromium refuses to start its sandboxed helpers as root; only then is the sandbox
// switched off. Also shares OpenGL contexts between windows, which the engine needs,
// and makes the built-in scheme known to the engine, which reads its scheme table once,
// when it starts.
void prepare();

} // namespace WebEngineEnvironment
