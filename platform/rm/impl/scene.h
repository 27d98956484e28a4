#pragma once
// How the rendering half reads a scene. Include this one header.
//
//   rm::Frame* root = rm::As<rm::Frame>(sceneInterface);      // null for a foreign object
//   walk(root, root->Local()):                                 // world = local * parent world
//     for visual in frame->Visuals():
//       if (auto* mb = rm::As<rm::MeshBuilder>(visual.get()))  // draw mb with world matrix
//         positions/normals/texcoords/colours/faces: see meshbuilder_impl.h
//       (a visual that is a Frame is an instance of that frame's subtree; may be ignored)
//     for child in frame->Children(): walk(child, child->Local() * world)
//   Lights: collect frame->Lights() while walking; each light's position is the frame's
//   world origin (row 3) and its direction the frame's world +Z (row 2); see light_impl.h.
//   Background: root->Background() (0xAARRGGBB).
//   Camera: the camera frame's World(); it looks along its +Z with +Y up, screen x is +X.
//   Viewing transform: Inverse(camera->World()) (matrix.h).
//
// Objects of the rendering half (devices, viewports) derive from rm::Object<Interface>
// (object_impl.h), which gives them reference counting, names, application data, destroy
// callbacks and a place in the registry (name look-up and EnumerateObjects).

#include "platform/rm/impl/array_impl.h"
#include "platform/rm/impl/frame_impl.h"
#include "platform/rm/impl/light_impl.h"
#include "platform/rm/impl/material_impl.h"
#include "platform/rm/impl/matrix.h"
#include "platform/rm/impl/meshbuilder_impl.h"
#include "platform/rm/impl/object_impl.h"
#include "platform/rm/impl/texture_impl.h"
