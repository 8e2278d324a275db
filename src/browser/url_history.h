#pragma once

namespace scourix {

// The platform's URL history store and the collection of its entries.
class CURLHistory {};

}  // namespace scourix
