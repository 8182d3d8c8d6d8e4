#pragma once
// Registers the screens of this library with the screen registry. The
// program calls it once at start-up (it also keeps the linker from dropping
// the screens' registration objects).
void registerLiquorScreens();
