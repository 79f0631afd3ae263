#pragma once

#include "core/check/check_services.h"
#include "core/sites/signed_sites.h"
#include "core/sites/site_list.h"

#include <string>

namespace fq {

// What every site's check reads: the same for all of them.
struct ParallelCheckInputs {
    std::string watchedTypes;
    std::string reportPassword;
    SignedSites signedSites; // each site's check works on a copy: nothing is written back
    PostFormFunction postForm;
};

// Checks every active row of `sites` once as a manual pass does (each local folder scanned
// afresh), `jobs` sites at a time and with no pause between them, so that a slow or dead site
// costs only its own deadline. Each verdict goes into its row. Returns the status line.
std::string CheckSitesInParallel(SiteList& sites, int jobs, const ParallelCheckInputs& inputs);

} // namespace fq
