#pragma once
// The sampler window's pictures: the item commands, Save and Cancel, and the tree's nodes.

#include <QIcon>

enum class SamplerImage { Add, Edit, Delete, Save, Cancel, Node };

QIcon samplerImage(SamplerImage which);
