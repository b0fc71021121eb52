# Wine maps the host's root to drive Z:. Test programs reach build outputs by
# these paths.
function(quarnel_wine_path out host_path)
  string(REPLACE "/" "\\" win "${host_path}")
  set(${out} "Z:${win}" PARENT_SCOPE)
endfunction()
