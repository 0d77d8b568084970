#pragma once
// Whether the window system lets a program place its windows and read where they are.

namespace velmo::platform {

// False under Wayland: there moves are ignored and positions read as (0, 0), so a
// position must be neither set nor saved.
bool positionsHonoured();

}  // namespace velmo::platform
