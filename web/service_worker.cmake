# Writes the page's service worker, run by web/web.cmake once the page's files
# are in place:
#   cmake -DSITE=<folder> -DVERSION=<version> "-DFILES=<name> <name> ..."
#         -DTEMPLATE=web/sw.js -P web/service_worker.cmake
# makes <folder>/sw.js, which caches FILES in a cache named by the version and
# a digest of the files, so that any change to them is a new worker.
separate_arguments(FILES UNIX_COMMAND "${FILES}")
set(digests "")
foreach(name IN LISTS FILES)
  file(SHA256 ${SITE}/${name} digest)
  string(APPEND digests "${name} ${digest}\n")
endforeach()
string(SHA256 all "${digests}")
string(SUBSTRING ${all} 0 12 VELQOR_WEB_DIGEST)
set(VELQOR_VERSION ${VERSION})
list(JOIN FILES " " VELQOR_WEB_FILES)
configure_file(${TEMPLATE} ${SITE}/sw.js @ONLY)
