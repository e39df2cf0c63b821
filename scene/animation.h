#pragma once
// One step of the demo's animation.

// Unless rotation is paused, turns object 0 by 0.5 degrees about X and then
// by 1 degree about Y (when an object exists); unless scrolling is paused,
// scrolls the built-in model's fin texture once (when the model exists).
void AnimateStep(int rotationPaused, int textureScrollPaused);
