// Opens and closes the small menu on narrow screens.
function toggleMenu() {
    document.body.classList.toggle('menu-open');
}
