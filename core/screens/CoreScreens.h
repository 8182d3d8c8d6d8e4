#pragma once
// Registers the core's own screens (settings, reference data, notices) with
// the screen registry; called once at start-up.
void registerCoreScreens();
