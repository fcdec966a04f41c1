#include "svg/path_renderer.h"

#include "svg/svg_exception.h"

namespace agg::svg {

path_renderer::path_renderer()
    : m_curved(m_storage),
      m_curved_count(m_curved),
      m_curved_stroked(m_curved_count),
      m_curved_stroked_trans(m_curved_stroked, m_transform),
      m_curved_trans(m_curved_count, m_transform),
      m_curved_trans_contour(m_curved_trans)
{
    m_curved_trans_contour.auto_detect_orientation(false);
}

void path_renderer::push_attr()
{
    m_attr_stack.add(m_attr_stack.size() ? m_attr_stack[m_attr_stack.size() - 1]
                                         : path_attributes());
}

void path_renderer::pop_attr()
{
    if (m_attr_stack.size() == 0)
        throw exception("pop_attr : Attribute stack is empty");
    m_attr_stack.remove_last();
}

path_attributes& path_renderer::cur_attr()
{
    if (m_attr_stack.size() == 0)
        throw exception("cur_attr : Attribute stack is empty");
    return m_attr_stack[m_attr_stack.size() - 1];
}

void path_renderer::begin_path()
{
    push_attr();
    const unsigned index = m_storage.start_new_path();
    path_attributes record = cur_attr();
    record.index = index;
    m_attr_storage.add(record);
}

void path_renderer::end_path()
{
    if (m_attr_storage.size() == 0)
        throw exception("end_path : The path was not begun");
    path_attributes& last = m_attr_storage[m_attr_storage.size() - 1];
    const unsigned index = last.index;
    last = cur_attr();
    last.index = index;
    last.no_geometry = m_storage.total_vertices() == index;
    pop_attr();
}

bool path_renderer::current_point(double& x, double& y) const
{
    const unsigned cmd = m_storage.last_vertex(&x, &y);
    if (is_vertex(cmd))
        return true;
    if (is_end_poly(cmd)) {
        // The close marker carries no position; after a close SVG continues
        // from where the closed subpath began.
        x = m_subpath_start_x;
        y = m_subpath_start_y;
        return true;
    }
    return false;
}

void path_renderer::continue_after_close()
{
    double x, y;
    if (is_end_poly(m_storage.last_vertex(&x, &y)))
        m_storage.move_to(m_subpath_start_x, m_subpath_start_y);
}

void path_renderer::move_to(double x, double y, bool rel)
{
    double cx, cy;
    if (rel && current_point(cx, cy)) {
        x += cx;
        y += cy;
    }
    m_storage.move_to(x, y);
    m_subpath_start_x = x;
    m_subpath_start_y = y;
}

void path_renderer::line_to(double x, double y, bool rel)
{
    double cx, cy;
    const bool has_point = current_point(cx, cy);
    if (rel && has_point) {
        x += cx;
        y += cy;
    }
    continue_after_close();
    if (!has_point) {
        // A line that opens the path starts its subpath.
        m_subpath_start_x = x;
        m_subpath_start_y = y;
    }
    m_storage.line_to(x, y);
}

void path_renderer::hline_to(double x, bool rel)
{
    double cx, cy;
    if (!current_point(cx, cy))
        return;
    continue_after_close();
    m_storage.line_to(rel ? cx + x : x, cy);
}

void path_renderer::vline_to(double y, bool rel)
{
    double cx, cy;
    if (!current_point(cx, cy))
        return;
    continue_after_close();
    m_storage.line_to(cx, rel ? cy + y : y);
}

void path_renderer::curve3(double x1, double y1, double x, double y, bool rel)
{
    double cx, cy;
    if (rel && current_point(cx, cy)) {
        x1 += cx;
        y1 += cy;
        x += cx;
        y += cy;
    }
    continue_after_close();
    m_storage.curve3(x1, y1, x, y);
}

void path_renderer::curve3_smooth(double x, double y, bool rel)
{
    double cx, cy;
    if (rel && current_point(cx, cy)) {
        x += cx;
        y += cy;
    }
    continue_after_close();
    m_storage.curve3(x, y);
}

void path_renderer::curve4(double x1, double y1, double x2, double y2, double x, double y, bool rel)
{
    double cx, cy;
    if (rel && current_point(cx, cy)) {
        x1 += cx;
        y1 += cy;
        x2 += cx;
        y2 += cy;
        x += cx;
        y += cy;
    }
    continue_after_close();
    m_storage.curve4(x1, y1, x2, y2, x, y);
}

void path_renderer::curve4_smooth(double x2, double y2, double x, double y, bool rel)
{
    double cx, cy;
    if (rel && current_point(cx, cy)) {
        x2 += cx;
        y2 += cy;
        x += cx;
        y += cy;
    }
    continue_after_close();
    m_storage.curve4(x2, y2, x, y);
}

void path_renderer::close_subpath()
{
    m_storage.end_poly(path_flags_close);
}

void path_renderer::fill(const rgba8& color)
{
    path_attributes& attr = cur_attr();
    attr.fill_color = color;
    attr.fill_flag = true;
}

void path_renderer::stroke(const rgba8& color)
{
    path_attributes& attr = cur_attr();
    attr.stroke_color = color;
    attr.stroke_flag = true;
}

void path_renderer::fill_none() { cur_attr().fill_flag = false; }
void path_renderer::stroke_none() { cur_attr().stroke_flag = false; }
void path_renderer::fill_opacity(double opacity) { set_opacity(cur_attr().fill_color, opacity); }
void path_renderer::stroke_opacity(double opacity) { set_opacity(cur_attr().stroke_color, opacity); }
void path_renderer::stroke_width(double width) { cur_attr().stroke_width = width; }
void path_renderer::miter_limit(double limit) { cur_attr().miter_limit = limit; }
void path_renderer::line_join(line_join_e join) { cur_attr().line_join = join; }
void path_renderer::line_cap(line_cap_e cap) { cur_attr().line_cap = cap; }
trans_affine& path_renderer::transform() { return cur_attr().transform; }

void path_renderer::bounding_rect(double& min_x, double& max_x, double& min_y, double& max_y) const
{
    min_x = 1e100;
    max_x = -1e100;
    min_y = 1e100;
    max_y = -1e100;
    for (unsigned i = 0; i < m_storage.total_vertices(); ++i) {
        double x, y;
        const unsigned cmd = m_storage.vertex(i, &x, &y);
        if (is_stop(cmd))
            break;
        if (!is_vertex(cmd))
            continue;
        if (x < min_x) min_x = x;
        if (x > max_x) max_x = x;
        if (y < min_y) min_y = y;
        if (y > max_y) max_y = y;
    }
}

} // namespace agg::svg
