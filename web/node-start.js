// Appended to the Node builds' script. The runtime makes /dev/random at start-up and looks up its
// source of random bytes there, which loads Node's whole crypto library (a tenth of the command
// line's start-up); the game never reads it, so the source is looked up at the first read only.
function getRandomDevice() {
  var next;
  return function () {
    if (!next) {
      var bytes = require('crypto');
      next = function () {
        return bytes.randomBytes(1)[0];
      };
    }
    return next();
  };
}
