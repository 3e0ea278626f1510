#pragma once

namespace pelmora {
// Registers the built-in resources (pictures, style sheet, icon font). Call once in every
// program and test before the first ":/" path is used.
void initResources();
} // namespace pelmora
