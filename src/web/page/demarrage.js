// Before anything else: opened from the file system, the key cannot start (browsers keep
// service workers and modules from files), so it says how to serve it.
"use strict";
if (location.protocol === "file:") {
  document.documentElement.classList.add("depuis-fichier");
  document.addEventListener("DOMContentLoaded", () => {
    document.getElementById("fichier-local").hidden = false;
    document.getElementById("message").hidden = true;
  });
}
