// Raw-data resources that only the image tests carry (see
// tests/unit/ui_resource_image_test.rc), and an id that no program carries.
#pragma once

#define IDR_TEST_NOT_AN_IMAGE 9901   // plain text stored as RT_RCDATA
#define IDR_TEST_TRUNCATED_PNG 9902  // the close sprite cut inside its pixel data
#define IDR_TEST_MISSING 9903        // present nowhere
